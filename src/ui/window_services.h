// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/launcher.h"
#include "platform/printer.h"
#include "platform/registry.h"

namespace vespera {

// What the menus of the main window reach outside the program: the default
// printer, and the registry and program launcher of the About box. The
// program passes the system's; tests pass a PDF printer, an in-memory
// registry and a launcher they watch.
// None is ever null; they are pointers so that the window can keep a copy.
struct WindowServices {
  Printer* printer;
  Registry* registry;
  Launcher* launcher;
};

}  // namespace vespera
