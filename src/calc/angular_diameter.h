#pragma once

#include "core/field_store.h"
#include "core/runtime.h"

namespace vespera {

// The angular panel ("Calcolo diametro con dimensione angolare"): the angle
// in degrees (Text13), typed or converted from arc minutes or arc seconds,
// and the distance in parsecs (Text3) give a diameter in kilometres (Text14).

// Arc minutes (Text17) to degrees, replacing Text13.
void Command108_Click(FieldStore& store, Runtime& runtime);

// Arc seconds (Text18) to degrees, replacing Text13.
void Command109_Click(FieldStore& store, Runtime& runtime);

// "CALCOLA ": distance x kilometres per parsec x tan(angle), into Text14.
void Command101_Click(FieldStore& store, Runtime& runtime);

}  // namespace vespera
