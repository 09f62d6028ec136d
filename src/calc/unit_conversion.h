#pragma once

#include "core/field_store.h"
#include "core/runtime.h"

namespace vespera {

// A field's number divided by a unit constant, written into another field,
// with a fault test after the division. The source field keeps its text.
void convertByDivision(Field source, double divisor, Field target, FieldStore& store,
                       Runtime& runtime);

}  // namespace vespera
