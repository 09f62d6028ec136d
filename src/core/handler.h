#pragma once

#include "core/field_store.h"
#include "core/runtime.h"

#include <functional>

namespace vespera {

// A click handler: reads and writes fields, talks to the user through the runtime.
using Handler = std::function<void(FieldStore&, Runtime&)>;

// Runs a handler to its end or to the error that stops it; such an error is
// reported in one message and the program goes on. Fields written before the
// error keep their new text.
void runHandler(const Handler& handler, FieldStore& store, Runtime& runtime);

}  // namespace vespera
