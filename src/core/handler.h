// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/field_store.h"
#include "core/runtime.h"

namespace vespera {

// A click handler: reads and writes fields, talks to the user through the runtime. Every
// button's handler is a plain function, named in the window's tables.
using Handler = void (*)(FieldStore& store, Runtime& runtime);

// Runs a handler, or other work taking the same two arguments (a temperature button's
// press, the printing of the window), to its end or to the error that stops it; such an
// error is reported in one message and the program goes on. Fields written before the error
// keep their new text.
template <typename Work>
void runHandler(const Work& work, FieldStore& store, Runtime& runtime) {
  try {
    work(store, runtime);
  } catch (const RuntimeError& error) {
    runtime.reportError(error);
  }
}

}  // namespace vespera
