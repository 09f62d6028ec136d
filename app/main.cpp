// SPDX-License-Identifier: GPL-3.0-or-later

#include "command_line.h"
#include "form/font_substitutes.h"
#include "platform/system_registry.h"
#include "ui/app_icon.h"
#include "ui/main_window.h"
#include "ui/qt_runtime.h"
#include "ui/qt_translations.h"
#include "ui/twips.h"

#include <QApplication>
#include <QFont>

#include <thread>

#ifdef VESPERA_HAS_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace {

// Maps the Windows fonts the windows are designed in to the metric-compatible or nearest
// free fonts Debian ships (Liberation, DejaVu, Comic Neue), so that sizes and weights
// survive where the originals are missing.
void installFontSubstitutes() {
  for (const vespera::FontSubstitute& row : vespera::fontSubstitutes()) {
    QStringList substitutes;
    for (const std::string_view family : vespera::substitutesOf(row.family)) {
      substitutes << vespera::qText(family);
    }
    QFont::insertSubstitutions(vespera::qText(row.family), substitutes);
  }
}

// Reading the system's font configuration (a few dozen XML files) is the largest single
// cost before the first widget can measure its text. Where fontconfig is the font system,
// the returned thread reads it while the caller loads Qt's plugins and connects to the
// display; fontconfig keeps it for the whole process, and Qt's own call to FcInit then
// finds it ready. Join it before the first window is built.
std::jthread readFontConfigurationAhead() {
#ifdef VESPERA_HAS_FONTCONFIG
  return std::jthread([] { FcInit(); });
#else
  return {};
#endif
}

}  // namespace

int main(int argc, char* argv[]) {
  if (const auto answered = vespera::answerCommandLine(argc, argv)) return *answered;
  if (const auto refused = vespera::refuseWithoutDisplay(argc, argv)) return *refused;
  std::jthread fontConfiguration = readFontConfigurationAhead();
  QApplication app(argc, argv);
  // Joined before any way out: Qt's font database, torn down with the application, must not
  // race the helper's first read of the configuration.
  if (fontConfiguration.joinable()) fontConfiguration.join();
  QApplication::setStyle(QStringLiteral("Fusion"));
  QApplication::setApplicationName(
      QString::fromUtf8(vespera::kApplicationTitle.data(), vespera::kApplicationTitle.size()));
  QApplication::setWindowIcon(vespera::applicationIcon());
  installFontSubstitutes();
  vespera::installQtTranslations();

  vespera::QtRuntime runtime;
  vespera::SystemPrinter printer;
  const auto registry = vespera::createSystemRegistry();
  vespera::SystemLauncher launcher;
  vespera::MainWindow window(
      runtime, {.printer = &printer, .registry = registry.get(), .launcher = &launcher});
  window.show();
  return QApplication::exec();
}
