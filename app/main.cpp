#include "platform/system_registry.h"
#include "ui/app_icon.h"
#include "ui/fonts.h"
#include "ui/main_window.h"
#include "ui/qt_runtime.h"

#include <QApplication>

#include <thread>

#ifdef VESPERA_HAS_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace {

// Reading the system's font configuration (a few dozen XML files) is the
// largest single cost before the first widget can measure its text. Where
// fontconfig is the font system, a helper thread reads it while this thread
// loads Qt's plugins and connects to the display; fontconfig keeps it for the
// whole process, and Qt's own call to FcInit then finds it ready.
std::jthread readFontConfigurationAhead() {
#ifdef VESPERA_HAS_FONTCONFIG
  return std::jthread([] { FcInit(); });
#else
  return {};
#endif
}

}  // namespace

int main(int argc, char* argv[]) {
  std::jthread fontConfiguration = readFontConfigurationAhead();
  QApplication app(argc, argv);
  QApplication::setStyle(QStringLiteral("Fusion"));
  QApplication::setApplicationName(vespera::kApplicationTitle);
  QApplication::setWindowIcon(vespera::applicationIcon());
  vespera::installFontSubstitutes();
  if (fontConfiguration.joinable()) fontConfiguration.join();  // read once, not twice

  vespera::QtRuntime runtime;
  vespera::SystemPrinter printer;
  const auto registry = vespera::createSystemRegistry();
  vespera::SystemLauncher launcher;
  vespera::MainWindow window(runtime, {printer, *registry, launcher});
  window.show();
  return QApplication::exec();
}
