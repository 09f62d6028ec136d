#include "command_line.h"
#include "platform/system_registry.h"
#include "ui/app_icon.h"
#include "ui/fonts.h"
#include "ui/main_window.h"
#include "ui/qt_runtime.h"
#include "ui/qt_translations.h"

#include <QApplication>

int main(int argc, char* argv[]) {
  if (const auto answered = vespera::answerHelpOrVersion(argc, argv)) return *answered;
  std::jthread fontConfiguration = vespera::readFontConfigurationAhead();
  QApplication app(argc, argv);
  if (const auto refused = vespera::refuseOtherArguments(QApplication::arguments())) {
    return *refused;
  }
  QApplication::setStyle(QStringLiteral("Fusion"));
  QApplication::setApplicationName(vespera::kApplicationTitle);
  QApplication::setWindowIcon(vespera::applicationIcon());
  vespera::installFontSubstitutes();
  vespera::installQtTranslations();
  if (fontConfiguration.joinable()) fontConfiguration.join();  // read once, not twice

  vespera::QtRuntime runtime;
  vespera::SystemPrinter printer;
  const auto registry = vespera::createSystemRegistry();
  vespera::SystemLauncher launcher;
  vespera::MainWindow window(runtime, {printer, *registry, launcher});
  window.show();
  return QApplication::exec();
}
