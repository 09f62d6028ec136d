// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/field_store.h"
#include "core/runtime.h"
#include "form/form_layout.h"

#include <string_view>

namespace vespera {

// The window's controls reached by name, for a front end that has no widgets of its own to
// bind (the web page) and for tools that replay what a user did.

// Presses the button of that name (a command button or a temperature button) as a click
// does: its handler runs to its end or to the error that stops it, which the runtime
// reports. Returns the window command the button or menu item of that name asks for instead
// (ESCI, Stampa), or None. Unknown names press nothing and ask for nothing.
WindowCommand pressControl(std::string_view control, FieldStore& store, Runtime& runtime);

// Gives every caption the text a fresh window shows.
void showFreshCaptions(MemoryFieldStore& store);

}  // namespace vespera
