// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/launcher.h"

#include "core/runtime_error.h"

#include <QProcess>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace vespera {

void SystemLauncher::start(const QString& programPath) {
  QProcess process;
  process.setProgram(programPath);
  process.setArguments({});
#ifdef Q_OS_WIN
  process.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments* arguments) {
    arguments->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
    arguments->startupInfo->wShowWindow = SW_SHOWNORMAL;
  });
#endif
  // A detached process is not waited for and outlives this program; its
  // standard channels are the program's own, as for any program the user starts.
  if (programPath.isEmpty() || !process.startDetached()) {
    throw RuntimeError(QStringLiteral("Errore di run-time: impossibile avviare il programma \"%1\"")
                           .arg(programPath)
                           .toStdString());
  }
}

}  // namespace vespera
