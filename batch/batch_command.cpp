// SPDX-License-Identifier: GPL-3.0-or-later

#include "batch_command.h"

#include "batch_help.h"
#include "star_stream.h"
#include "system_reason.h"

#include "files/file_replacement.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <new>
#include <variant>

namespace vespera {
namespace {

const QString kProgram = QStringLiteral("vespera-batch");
constexpr int kMostErrorsShown = 50;

struct BatchOptions {
  QString input;
  QString output;  // empty: the results go to standard output
  ColumnChoice columns;
  bool quiet = false;
};

QString said(const QString& message) { return kProgram + QStringLiteral(": ") + message; }

// Whether two descriptors are the same terminal.
bool sameTerminal(int first, int second) {
  if (isatty(first) != 1 || isatty(second) != 1) return false;
#ifdef _WIN32
  // A program has one console (and the C runtime numbers a device by its descriptor).
  return true;
#else
  struct stat firstStatus{};
  struct stat secondStatus{};
  return fstat(first, &firstStatus) == 0 && fstat(second, &secondStatus) == 0 &&
         firstStatus.st_rdev == secondStatus.st_rdev;
#endif
}

// The options, or the exit code when there is nothing more to do (help,
// version, or a command-line error already reported).
std::variant<BatchOptions, int> readCommandLine(const QStringList& arguments, QTextStream& out,
                                                QTextStream& err) {
  QCommandLineParser parser;
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
  const QCommandLineOption version(QStringLiteral("version"), QString());
  const QCommandLineOption quiet({QStringLiteral("q"), QStringLiteral("quiet")}, QString());
  const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")}, QString(),
                                  QStringLiteral("FILE"));
  const QCommandLineOption surfaceFrom(QStringLiteral("surface-from"), QString(),
                                       QStringLiteral("COLONNA"));
  const QCommandLineOption distanceFrom(QStringLiteral("distance-from"), QString(),
                                        QStringLiteral("COLONNA"));
  const QCommandLineOption column(QStringLiteral("column"), QString(),
                                  QStringLiteral("NOME=INTESTAZIONE"));
  parser.addOptions({help, version, quiet, output, surfaceFrom, distanceFrom, column});
  const auto usageError = [&](const QString& message) {
    err << said(message) << "\n" << said(QStringLiteral("vedere --help")) << "\n";
    return int(kBatchBadCommandLine);
  };

  if (!parser.parse(arguments)) {
    if (!parser.unknownOptionNames().isEmpty()) {
      const QString name = parser.unknownOptionNames().first();
      return usageError(
          QStringLiteral("opzione sconosciuta: %1%2")
              .arg(name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), name));
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
  if (parser.isSet(output) && options.output.isEmpty()) {
    return usageError(QStringLiteral(
        "-o/--output vuole il nome di un file (senza -o i risultati vanno sullo standard output)"));
  }
  options.quiet = parser.isSet(quiet);

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
  err << said(QStringLiteral("lavoro interrotto: correggere il file e riprovare")) << "\n";
}

// The progress line is drawn on a terminal unless the user asked for quiet, and never
// between the rows on the same terminal, where it would overwrite them.
bool showsProgress(const BatchOptions& options) {
  const bool rowsThere = options.output.isEmpty() && sameTerminal(STDOUT_FILENO, STDERR_FILENO);
  return isatty(STDERR_FILENO) == 1 && !options.quiet && !rowsThere;
}

QString faultSummary(const StreamOutcome& outcome) {
  const QString stopped =
      outcome.faulted == 1
          ? QStringLiteral("1 stella su %1 non calcolata del tutto").arg(outcome.stars)
          : QStringLiteral("%1 stelle su %2 non calcolate del tutto")
                .arg(outcome.faulted)
                .arg(outcome.stars);
  return stopped + QStringLiteral(": il motivo \u00E8 nella colonna error");
}

}  // namespace

int runBatch(const QStringList& arguments, QTextStream& out, QTextStream& err,
             bool standardInputOpen) {
  const auto parsed = readCommandLine(arguments, out, err);
  if (const int* exitCode = std::get_if<int>(&parsed)) return *exitCode;
  const auto& options = std::get<BatchOptions>(parsed);
  const auto fail = [&](const QString& message) {
    err << said(message) << "\n";
    return int(kBatchBadInput);
  };

  QFile input;
  const bool fromStandardInput = options.input == QStringLiteral("-");
  if (fromStandardInput && !standardInputOpen) {
    return fail(QStringLiteral("lo standard input \u00E8 chiuso: non c'\u00E8 nulla da leggere"));
  }
  if (fromStandardInput) {
    input.open(STDIN_FILENO, QIODevice::ReadOnly);
  } else {
    input.setFileName(options.input);
  }
  if (!fromStandardInput && !input.open(QIODevice::ReadOnly)) {
    return fail(
        QStringLiteral("impossibile leggere \"%1\": %2").arg(options.input, input.errorString()));
  }
  const bool onTerminal = isatty(STDERR_FILENO) == 1;
  Progress progress(showsProgress(options), input.isSequential() ? -1 : input.size());
  StreamOutcome outcome;
  const auto work = [&](QFileDevice& results) {
    outcome = streamStars(input.handle(), results.handle(), options.columns, progress);
    return outcome.writeError == 0 && outcome.inputErrors.isEmpty();
  };

  Replacement replaced = Replacement::Done;
  int replacementError = 0;
  try {
    if (options.output.isEmpty()) {
      QFile standardOutput;
      standardOutput.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
      work(standardOutput);
    } else {
      // The old file stays as it was unless the whole run succeeds. Where the result
      // cannot be made beside it first, the run is refused: it may be larger than memory
      // or than the room left elsewhere, so nothing else could put the old file back.
      replaced = replaceFileContent(options.output, work, WithoutTemporaryFile::Refuse,
                                    DeviceWait::Allowed, &replacementError);
    }
  } catch (const std::bad_alloc&) {
    progress.finish();
    return fail(QStringLiteral("memoria esaurita: lavoro interrotto, nessun file \u00E8 cambiato"));
  }
  progress.finish();
  err.flush();
  const QString target = options.output.isEmpty() ? QStringLiteral("-") : options.output;
  if (replaced == Replacement::NoTemporaryFile) {
    return fail(QStringLiteral("impossibile creare un file nella cartella \"%1\", dove il "
                               "risultato si prepara prima di sostituire \"%2\": il file non "
                               "\u00E8 toccato (scegliere un'altra cartella)")
                    .arg(QDir::toNativeSeparators(replacementFolder(options.output)), target));
  }
  if (!outcome.inputErrors.isEmpty()) {
    reportInputErrors(options.input, outcome.inputErrors, err);
    return kBatchBadInput;
  }
  // Whoever reads the results has stopped reading (head, a closed pager): what it asked
  // for went out, so the run ends as it would have, without a word.
  if (outcome.writeError == EPIPE) return kBatchDone;
  if (outcome.writeError != 0 || replaced != Replacement::Done) {
    const int error = outcome.writeError != 0 ? outcome.writeError : replacementError;
    return fail(
        QStringLiteral("impossibile scrivere \"%1\"%2")
            .arg(target, error == 0 ? QString() : QStringLiteral(": ") + systemReason(error)));
  }
  // A terminal is told how many stars stopped on a fault; a script reads the error column.
  if (outcome.faulted > 0 && onTerminal) err << said(faultSummary(outcome)) << "\n";
  return kBatchDone;
}

}  // namespace vespera
