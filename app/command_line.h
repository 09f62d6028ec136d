#pragma once

#include <QStringList>

#include <optional>

namespace vespera {

// The window program's command line: --help and --version of its own, Qt's options
// (-platform, -style, -reverse and the others) for QApplication, nothing else.

// Answers --help or --version on standard output, before any window system is touched, so
// that they work without a display. Returns the exit status when it answered.
std::optional<int> answerHelpOrVersion(int argc, char* argv[]);

// The arguments QApplication left after taking its own: any that remains is refused with
// a short message on standard error. Returns the exit status when it refused.
std::optional<int> refuseOtherArguments(const QStringList& arguments);

}  // namespace vespera
