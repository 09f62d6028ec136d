// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "progress.h"
#include "star_table.h"

#include <QStringList>

namespace vespera {

// How a run ended.
struct StreamOutcome {
  qint64 stars = 0;         // data lines worked and written
  qint64 faulted = 0;       // of those, the ones an arithmetic fault stopped
  QStringList inputErrors;  // what was wrong with the input, each naming its line
  int writeError = 0;       // why the output refused a write (an errno), 0 when all went out
};

// Reads a star file from the file descriptor `input` as it arrives (waiting when it is
// non-blocking), works each data line through the window's handlers, and writes the header
// and then one line per star to the file descriptor `output` in input order, block by block as the
// blocks are done, so memory stays the same however long the input. The lines of a block are shared
// out among the processor cores, or worked here when no thread can be started. The first fault of
// the input ends the run, after the lines before it. Running out of memory throws std::bad_alloc.
StreamOutcome streamStars(int input, int output, const ColumnChoice& choice, Progress& progress);

}  // namespace vespera
