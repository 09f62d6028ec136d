// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>

namespace vespera {

// The window program's command line: --help and --version of its own, Qt's options
// (-platform, -style, -reverse and the others) for QApplication, nothing else.

// Answers --help or --version on standard output, or refuses any other argument with a short
// message on standard error, before any window system is touched, so that all of it works
// without a display. Returns the exit status when it answered or refused.
std::optional<int> answerCommandLine(int argc, char* argv[]);

// Without a window system to connect to (no DISPLAY for X11, no WAYLAND_DISPLAY for Wayland,
// and no other platform chosen with -platform or QT_QPA_PLATFORM), says so in one line on
// standard error instead of letting Qt abort. Returns the exit status when it refused.
std::optional<int> refuseWithoutDisplay(int argc, char* argv[]);

}  // namespace vespera
