// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringList>
#include <QTextStream>

#include <cstdint>

namespace vespera {

// What the exit code of vespera-batch tells a script.
enum BatchExitCode : std::uint8_t {
  kBatchDone = 0,      // results written, faulting stars included, or the reader stopped
  kBatchBadInput = 1,  // input unreadable or not valid, or output not writable
  kBatchBadCommandLine = 2,
};

// The whole tool: reads the command line (arguments[0] is the program), the
// stars, works each through the window's handlers and writes the results to
// out, or to the file named by --output. Messages for the user go to err.
// standardInputOpen: whether descriptor 0 was open when the program started.
int runBatch(const QStringList& arguments, QTextStream& out, QTextStream& err,
             bool standardInputOpen = true);

}  // namespace vespera
