// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/system_registry.h"

#include "platform/memory_registry.h"
#include "platform/system_info.h"
#include "platform/windows_registry.h"

#include <QStandardPaths>

namespace vespera {

QStringList systemInformationPrograms() {
  return {QStringLiteral("hardinfo2"), QStringLiteral("hardinfo"), QStringLiteral("kinfocenter"),
          QStringLiteral("gnome-system-monitor")};
}

std::unique_ptr<Registry> createSystemRegistry([[maybe_unused]] const QStringList& searchPaths) {
#ifdef _WIN32
  return std::make_unique<WindowsRegistry>();
#else
  auto registry = std::make_unique<MemoryRegistry>();
  for (const QString& program : systemInformationPrograms()) {
    const QString path = QStandardPaths::findExecutable(program, searchPaths);
    if (!path.isEmpty()) {
      registry->setString(kHkeyLocalMachine, kMsinfoKey, kMsinfoPathValue,
                          path.toLocal8Bit().toStdString());
      break;
    }
  }
  return registry;
#endif
}

}  // namespace vespera
