// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QElapsedTimer>

namespace vespera {

// The one line on a terminal that tells how far a long run has come: rows done, rows per
// second, and how much of the input has been read when its size is known. Drawn only
// when shown, at most a few times a second, and cleared at the end.
class Progress {
 public:
  Progress(bool shown, qint64 inputSize);
  void update(qint64 rows, qint64 bytesRead);
  void finish() const;

 private:
  bool shown_;
  qint64 inputSize_;  // -1 when unknown
  QElapsedTimer clock_;
  qint64 drawnAt_ = -1;
};

}  // namespace vespera
