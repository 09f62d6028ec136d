#include "command_line.h"
#include "platform/system_registry.h"
#include "ui/app_icon.h"
#include "ui/fonts.h"
#include "ui/main_window.h"
#include "ui/qt_runtime.h"
#include "ui/qt_translations.h"

#include <QApplication>

int main(int argc, char* argv[]) {
  if (const auto answered = vespera::answerCommandLine(argc, argv)) return *answered;
  if (const auto refused = vespera::refuseWithoutDisplay(argc, argv)) return *refused;
  std::jthread fontConfiguration = vespera::readFontConfigurationAhead();
  QApplication app(argc, argv);
  // Joined before any way out: Qt's font database, torn down with the application, must not
  // race the helper's first read of the configuration.
  if (fontConfiguration.joinable()) fontConfiguration.join();
  QApplication::setStyle(QStringLiteral("Fusion"));
  QApplication::setApplicationName(
      QString::fromUtf8(vespera::kApplicationTitle.data(), vespera::kApplicationTitle.size()));
  QApplication::setWindowIcon(vespera::applicationIcon());
  vespera::installFontSubstitutes();
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
