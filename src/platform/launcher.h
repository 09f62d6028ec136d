// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace vespera {

// Starts another program as a process of its own.
class Launcher {
 public:
  virtual ~Launcher() = default;
  // Starts the program at `programPath` with no arguments and returns at
  // once, without waiting for it. The path is the program itself, never a
  // command line: blanks and shell characters in it are part of the name.
  // Throws RuntimeError when the program cannot be started.
  virtual void start(const QString& programPath) = 0;
};

// The operating system's own process start; on Windows the program opens a
// normal window that takes the focus.
class SystemLauncher : public Launcher {
 public:
  void start(const QString& programPath) override;
};

}  // namespace vespera
