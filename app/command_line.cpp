// SPDX-License-Identifier: GPL-3.0-or-later

#include "command_line.h"

#include "core/app_identity.h"

#include <QCommandLineParser>

#include <cstdio>

namespace vespera {
namespace {

const char kHelp[] =
    "Uso: vespera [opzioni]\n"
    "\n"
    "Vespera 3.3 stima il diametro di una stella dalla sua temperatura, dalla\n"
    "magnitudine apparente V e dalla distanza, e converte le distanze tra parsec,\n"
    "parallasse, anni luce, unit\u00E0 astronomiche e kilometri. Senza opzioni apre la\n"
    "finestra del calcolatore; per molte stelle da un file CSV c'\u00E8 vespera-batch.\n"
    "\n"
    "Opzioni:\n"
    "  -h, --help     mostra questo aiuto ed esce\n"
    "  -v, --version  mostra la versione ed esce\n"
    "\n"
    "Sono accettate anche le opzioni di Qt, come -platform, -style e -reverse.\n";

// The options QApplication takes on the systems Vespera runs on (QGuiApplication's, the X11
// platform's and QApplication's own), to be known before the application is made: an
// unknown argument is refused before the display is looked for.
const char kQtOptionsWithValue[] =
    "platform platformpluginpath platformtheme plugin session qwindowgeometry geometry "
    "qwindowtitle title qwindowicon icon display name visual style stylesheet";
const char kQtSwitches[] = "reverse testability nograb dograb widgetcount";

// Options with one dash are words here ("-style"), as Qt's own are.
struct Options {
  Options() {
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({help, version});
    for (const QString& name : QString::fromLatin1(kQtOptionsWithValue).split(u' ')) {
      parser.addOption(QCommandLineOption(name, QString(), QStringLiteral("x")));
    }
    for (const QString& name : QString::fromLatin1(kQtSwitches).split(u' ')) {
      parser.addOption(QCommandLineOption(name));
    }
  }
  QCommandLineParser parser;
  QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}};
  QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")}};
};

}  // namespace

std::optional<int> answerCommandLine(int argc, char* argv[]) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  Options options;
  options.parser.parse(arguments);
  if (options.parser.isSet(options.help)) {
    std::fputs(kHelp, stdout);
    return 0;
  }
  if (options.parser.isSet(options.version)) {
    std::printf("Vespera %d.%d.%d\n", kVersionMajor, kVersionMinor, kVersionRevision);
    return 0;
  }
  const QStringList unknown = options.parser.unknownOptionNames();
  const QStringList positional = options.parser.positionalArguments();
  if (unknown.isEmpty() && positional.isEmpty()) return std::nullopt;
  QString refused = positional.value(0);
  if (!unknown.isEmpty()) refused = (unknown.first().size() == 1 ? "-" : "--") + unknown.first();
  std::fprintf(stderr,
               "vespera: opzione o argomento sconosciuto: %s\n"
               "vespera: vedere vespera --help\n",
               qPrintable(refused));
  return 2;
}

std::optional<int> refuseWithoutDisplay(int argc, char* argv[]) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
  QString platforms = qEnvironmentVariable("QT_QPA_PLATFORM");
  for (int i = 1; i + 1 < argc; ++i) {
    const QByteArray option(argv[i]);
    if (option == "-platform" || option == "--platform")
      platforms = QString::fromLocal8Bit(argv[i + 1]);
  }
  // Qt tries the platforms of a list in turn; with none chosen, X11 is its default.
  if (platforms.isEmpty()) platforms = QStringLiteral("xcb;wayland");
  for (const QString& entry : platforms.split(u';', Qt::SkipEmptyParts)) {
    const QString name = entry.section(u':', 0, 0);
    const bool x11WithoutDisplay =
        name == QLatin1String("xcb") && qEnvironmentVariableIsEmpty("DISPLAY");
    const bool waylandWithoutDisplay =
        name.startsWith(QLatin1String("wayland")) && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (x11WithoutDisplay || waylandWithoutDisplay) continue;
    return std::nullopt;  // a platform that needs no display (offscreen, vnc...), or one with it
  }
  std::fputs(
      "vespera: nessuno schermo disponibile (DISPLAY e WAYLAND_DISPLAY non sono impostate): "
      "avviare il calcolatore in una sessione grafica\n",
      stderr);
  return 1;
#else
  Q_UNUSED(argc);
  Q_UNUSED(argv);
  return std::nullopt;
#endif
}

}  // namespace vespera
