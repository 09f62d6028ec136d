// SPDX-License-Identifier: GPL-3.0-or-later

#include "progress.h"

#include <cstdio>

namespace vespera {
namespace {

constexpr qint64 kRedrawMilliseconds = 250;

}  // namespace

Progress::Progress(bool shown, qint64 inputSize) : shown_(shown), inputSize_(inputSize) {
  clock_.start();
}

void Progress::update(qint64 rows, qint64 bytesRead) {
  const qint64 now = clock_.elapsed();
  if (!shown_ || (drawnAt_ >= 0 && now - drawnAt_ < kRedrawMilliseconds)) return;
  drawnAt_ = now;
  const long long perSecond = now > 0 ? rows * 1000 / now : 0;
  std::fprintf(stderr, "\rrighe elaborate: %lld, %lld al secondo", static_cast<long long>(rows),
               perSecond);
  if (inputSize_ > 0) std::fprintf(stderr, ", %lld%%", bytesRead * 100 / inputSize_);
  std::fputs("\033[K", stderr);  // whatever a longer earlier line left
  std::fflush(stderr);
}

void Progress::finish() const {
  if (!shown_ || drawnAt_ < 0) return;
  std::fputs("\r\033[K", stderr);
  std::fflush(stderr);
}

}  // namespace vespera
