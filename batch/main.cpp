// SPDX-License-Identifier: GPL-3.0-or-later

#include "batch_command.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#include <csignal>
#endif

namespace {

// A standard descriptor left closed by the caller would be taken by the next file the
// program opens, and the stars read from it or the results written into it. Each closed
// one is held by /dev/null opened the wrong way round, so using it fails (EBADF).
// Windows' C runtime keeps descriptors 0 to 2 for the standard handles even when a handle is
// missing, so no file can take their place there.
#ifndef _WIN32
bool holdIfClosed(int descriptor, int wrongWay) {
  if (fcntl(descriptor, F_GETFD) != -1) return true;
  const int held = open("/dev/null", wrongWay);
  if (held != descriptor && held >= 0) close(held);
  return false;
}
#endif

}  // namespace

int main(int argc, char* argv[]) {
#ifdef _WIN32
  const bool standardInputOpen = true;
#else
  // Before anything opens a descriptor of its own.
  const bool standardInputOpen = holdIfClosed(STDIN_FILENO, O_WRONLY);
  holdIfClosed(STDOUT_FILENO, O_RDONLY);
  holdIfClosed(STDERR_FILENO, O_RDONLY);
  // A reader that stops reading gives EPIPE on the next write, which the run handles.
  std::signal(SIGPIPE, SIG_IGN);
#endif
  QCoreApplication application(argc, argv);
  QFile standardOutput;
  QFile standardError;
  standardOutput.open(stdout, QIODevice::WriteOnly);
  standardError.open(stderr, QIODevice::WriteOnly);
  QTextStream out(&standardOutput);
  QTextStream err(&standardError);
  return vespera::runBatch(QCoreApplication::arguments(), out, err, standardInputOpen);
}
