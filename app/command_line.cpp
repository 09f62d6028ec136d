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

// Options with one dash are words here ("-style"), as Qt's own are.
struct Options {
  Options() {
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({help, version});
  }
  QCommandLineParser parser;
  QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}};
  QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")}};
};

}  // namespace

std::optional<int> answerHelpOrVersion(int argc, char* argv[]) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  Options options;
  options.parser.parse(arguments);  // Qt's options are unknown here: QApplication takes them
  if (options.parser.isSet(options.help)) {
    std::fputs(kHelp, stdout);
    return 0;
  }
  if (!options.parser.isSet(options.version)) return std::nullopt;
  std::printf("Vespera %d.%d.%d\n", kVersionMajor, kVersionMinor, kVersionRevision);
  return 0;
}

std::optional<int> refuseOtherArguments(const QStringList& arguments) {
  Options options;
  options.parser.parse(arguments);
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

}  // namespace vespera
