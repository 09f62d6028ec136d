#include "batch_command.h"

#include "batch_help.h"
#include "result_table.h"
#include "star_calculation.h"
#include "star_table.h"

#include <QCommandLineParser>
#include <QFile>
#include <QSaveFile>

#include <variant>

namespace vespera {
namespace {

const QString kProgram = QStringLiteral("vespera-batch");
constexpr int kMostErrorsShown = 50;

struct BatchOptions {
  QString input;
  QString output;  // empty: the results go to out
  ColumnChoice columns;
};

QString said(const QString& message) { return kProgram + QStringLiteral(": ") + message; }

// The options, or the exit code when there is nothing more to do (help,
// version, or a command-line error already reported).
std::variant<BatchOptions, int> readCommandLine(const QStringList& arguments, QTextStream& out,
                                                QTextStream& err) {
  QCommandLineParser parser;
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
  const QCommandLineOption version(QStringLiteral("version"), QString());
  const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")}, QString(),
                                  QStringLiteral("FILE"));
  const QCommandLineOption surfaceFrom(QStringLiteral("surface-from"), QString(),
                                       QStringLiteral("COLONNA"));
  const QCommandLineOption distanceFrom(QStringLiteral("distance-from"), QString(),
                                        QStringLiteral("COLONNA"));
  const QCommandLineOption column(QStringLiteral("column"), QString(),
                                  QStringLiteral("NOME=INTESTAZIONE"));
  parser.addOptions({help, version, output, surfaceFrom, distanceFrom, column});
  const auto usageError = [&](const QString& message) {
    err << said(message) << "\n" << said(QStringLiteral("vedere --help")) << "\n";
    return int(kBatchBadCommandLine);
  };

  if (!parser.parse(arguments)) {
    if (!parser.unknownOptionNames().isEmpty()) {
      const QString name = parser.unknownOptionNames().first();
      return usageError(QStringLiteral("opzione sconosciuta: %1%2")
                            .arg(name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"),
                                 name));
    }
    return usageError(QStringLiteral("opzione senza il suo valore (%1)").arg(parser.errorText()));
  }
  if (parser.isSet(help)) {
    out << batchHelpText();
    return int(kBatchDone);
  }
  if (parser.isSet(version)) {
    out << kProgram << " " << QStringLiteral(VESPERA_VERSION) << "\n";
    return int(kBatchDone);
  }

  BatchOptions options;
  const QStringList files = parser.positionalArguments();
  if (files.size() != 1) {
    return usageError(files.isEmpty() ? QStringLiteral("manca il file CSV da leggere")
                                      : QStringLiteral("un solo file CSV alla volta"));
  }
  options.input = files.first();
  options.output = parser.value(output);

  for (const QString& mapping : parser.values(column)) {
    const qsizetype equals = mapping.indexOf(u'=');
    const QString name = mapping.left(equals).trimmed();
    const QString header = equals < 0 ? QString() : mapping.mid(equals + 1).trimmed();
    if (!knownInputColumns().contains(name) || header.isEmpty()) {
      return usageError(QStringLiteral("--column %1: serve NOME=INTESTAZIONE, con NOME tra %2")
                            .arg(mapping, knownInputColumns().join(QStringLiteral(", "))));
    }
    options.columns.headerFor.insert(name, header);
  }
  if (parser.isSet(surfaceFrom)) {
    options.columns.surface = surfaceSourceFromColumn(parser.value(surfaceFrom));
    if (!options.columns.surface) {
      return usageError(QStringLiteral("--surface-from vuole surface_mag, teff o b_v"));
    }
  }
  if (parser.isSet(distanceFrom)) {
    options.columns.distance = distanceSourceFromColumn(parser.value(distanceFrom));
    if (!options.columns.distance) {
      return usageError(QStringLiteral("--distance-from vuole distance_pc o parallax_mas"));
    }
  }
  return options;
}

void reportInputErrors(const QString& file, const QStringList& errors, QTextStream& err) {
  for (const QString& error : errors.first(qMin<qsizetype>(errors.size(), kMostErrorsShown))) {
    err << said(file + QStringLiteral(", ") + error) << "\n";
  }
  if (errors.size() > kMostErrorsShown) {
    err << said(QStringLiteral("... e altri %1 errori").arg(errors.size() - kMostErrorsShown))
        << "\n";
  }
  err << said(QStringLiteral("nessun risultato scritto: correggere il file e riprovare")) << "\n";
}

// Every star, one output line each; returns how many stopped on an error.
int writeResults(const StarTable& table, QTextStream& out) {
  int faulted = 0;
  out << resultColumns().join(u',') << "\n";
  for (const StarInput& star : table.stars) {
    const StarResult result = calculateStar(star, table.surfaceSource, table.distanceSource);
    if (!result.error.isEmpty()) ++faulted;
    out << resultLine(result) << "\n";
  }
  out.flush();
  return faulted;
}

}  // namespace

int runBatch(const QStringList& arguments, QTextStream& out, QTextStream& err) {
  const auto parsed = readCommandLine(arguments, out, err);
  if (const int* exitCode = std::get_if<int>(&parsed)) return *exitCode;
  const BatchOptions& options = std::get<BatchOptions>(parsed);

  QFile inputFile;
  bool opened = false;
  if (options.input == QStringLiteral("-")) {
    opened = inputFile.open(stdin, QIODevice::ReadOnly);
  } else {
    inputFile.setFileName(options.input);
    opened = inputFile.open(QIODevice::ReadOnly);
  }
  if (!opened) {
    err << said(QStringLiteral("impossibile leggere \"%1\": %2")
                    .arg(options.input, inputFile.errorString()))
        << "\n";
    return kBatchBadInput;
  }
  QTextStream in(&inputFile);
  QStringList errors;
  const StarTable table = readStarTable(in, options.columns, errors);
  if (!errors.isEmpty()) {
    reportInputErrors(options.input, errors, err);
    return kBatchBadInput;
  }

  int faulted = 0;
  if (options.output.isEmpty()) {
    faulted = writeResults(table, out);
  } else {
    // The old file stays as it was until the new one is complete.
    QSaveFile file(options.output);
    if (!file.open(QIODevice::WriteOnly)) {
      err << said(QStringLiteral("impossibile scrivere \"%1\": %2")
                      .arg(options.output, file.errorString()))
          << "\n";
      return kBatchBadInput;
    }
    QTextStream fileOut(&file);
    faulted = writeResults(table, fileOut);
    if (fileOut.status() != QTextStream::Ok || !file.commit()) {
      err << said(QStringLiteral("impossibile scrivere \"%1\": %2")
                      .arg(options.output, file.errorString()))
          << "\n";
      return kBatchBadInput;
    }
  }
  if (faulted > 0) {
    const QString summary =
        faulted == 1 ? QStringLiteral("1 stella su %1 non calcolata del tutto")
                           .arg(table.stars.size())
                     : QStringLiteral("%1 stelle su %2 non calcolate del tutto")
                           .arg(faulted)
                           .arg(table.stars.size());
    err << said(summary +
                QStringLiteral(": il motivo \u00E8 nella colonna error"))
        << "\n";
  }
  return kBatchDone;
}

}  // namespace vespera
