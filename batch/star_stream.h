#pragma once

#include "progress.h"
#include "star_table.h"

#include <QIODevice>
#include <QStringList>

namespace vespera {

// How a run ended.
struct StreamOutcome {
  qint64 stars = 0;         // data lines worked and written
  qint64 faulted = 0;       // of those, the ones an arithmetic fault stopped
  QStringList inputErrors;  // what was wrong with the input, each naming its line
  bool written = true;      // false when the output refused a write
};

// Reads a star file from the file descriptor `input` as it arrives, works each data line
// through the window's handlers, and writes the header and then one line per star to
// `output` in input order, block by block as the blocks are done, so memory stays the
// same however long the input. The lines of a block are shared out among the processor
// cores. The first fault of the input ends the run, after the lines before it.
StreamOutcome streamStars(int input, QIODevice& output, const ColumnChoice& choice,
                          Progress& progress);

}  // namespace vespera
