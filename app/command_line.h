#pragma once

#include <QStringList>

#include <optional>

namespace vespera {

// The window program's command line: --help and --version of its own, Qt's options
// (-platform, -style, -reverse and the others) for QApplication, nothing else.

// Answers --help or --version on standard output, before any window system is touched, so
// that they work without a display. Returns the exit status when it answered.
std::optional<int> answerHelpOrVersion(int argc, char* argv[]);

// Without a window system to connect to (no DISPLAY for X11, no WAYLAND_DISPLAY for Wayland,
// and no other platform chosen with -platform or QT_QPA_PLATFORM), says so in one line on
// standard error instead of letting Qt abort. Returns the exit status when it refused.
std::optional<int> refuseWithoutDisplay(int argc, char* argv[]);

// The arguments QApplication left after taking its own: any that remains is refused with
// a short message on standard error. Returns the exit status when it refused.
std::optional<int> refuseOtherArguments(const QStringList& arguments);

}  // namespace vespera
