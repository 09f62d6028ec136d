// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/number_text.h"
#include "line_reader.h"
#include "support/files.h"
#include "support/test_window.h"

#include <QProcess>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <csignal>

using namespace vespera;

namespace {

struct Run {
  int exitCode = -1;
  QByteArray out, err;
};

// The real vespera-batch, given its standard input whole.
Run batch(const QStringList& arguments, const QByteArray& input = {},
          const std::function<void()>& inChild = {}, const QString& program = VESPERA_BATCH) {
  QProcess process;
  if (inChild) process.setChildProcessModifier(inChild);
  process.start(program, arguments);
  process.write(input);
  process.closeWriteChannel();
  if (!process.waitForFinished(60000)) process.kill();
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          process.readAllStandardOutput(), process.readAllStandardError()};
}

// Gives up root in a child, as a user who may not write everywhere.
void becomeNobody() {
  if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
}

// A column of an output line by its header name.
QString cell(const QByteArray& output, int row, const char* column) {
  const QList<QByteArray> lines = output.split('\n');
  return QString::fromUtf8(lines[row].split(',').value(lines[0].split(',').indexOf(column)));
}

}  // namespace

class BatchTest : public QObject {
  Q_OBJECT

 private slots:
  // Each star comes out as the window shows it after the same presses: the temperature
  // button nearest the star's temperature (3300 K presses 3200), the distance panel for a
  // parallax, CALCOLA, the angular panel for an angular diameter. A fault fills the error
  // column of its row and the other rows go on.
  void sameAsTheWindow() {
    const Run run = batch({QStringLiteral("-")},
                          "# comment\nname,teff,v,parallax_mas,theta_mas\n"
                          "Alpha,5772,4.83,100,2\n\"Beta \"\"B\"\"\",3300,1.5,0.5,\n"
                          "Gamma,43000,2,0,1");  // no line break at the end
    QVERIFY2(run.exitCode == 0 && run.err.isEmpty(), run.err.constData());
    // The button pressed, v, the parallax and the angular diameter of each star.
    const char* stars[][4] = {
        {"5750", "4.83", "100", "2"}, {"3200", "1.5", "0.5", ""}, {"43000", "2", "0", ""}};
    const std::pair<const char*, Field> columns[] = {
        {"preset_k", Field::TemperatureKelvin},
        {"surface_mag", Field::SurfaceMagnitude},
        {"distance_pc", Field::DistanceParsecs},
        {"diameter_m", Field::DiameterMetres},
        {"abs_mag", Field::AbsoluteMagnitude},
        {"sun_ratio", Field::DiameterToSun},
        {"parallax_mas", Field::ParallaxMilliarcseconds},
        {"light_years", Field::DistanceLightYears},
        {"au", Field::DistanceAstronomicalUnits},
        {"km", Field::DistanceKilometres},
        {"theta_deg", Field::AngleDegrees},
        {"angular_km", Field::AngularDiameterKilometres}};
    for (int row = 1; row <= 3; ++row) {
      TestWindow window;
      const auto& star = stars[row - 1];
      for (QPushButton* button : window.window.findChildren<QPushButton*>()) {
        if (button->text() == QLatin1String(star[0])) QTest::mouseClick(button, Qt::LeftButton);
      }
      window.type(Field::ApparentMagnitude, star[1]);
      window.type(Field::ParallaxMilliarcseconds, star[2]);
      window.press(QStringLiteral("Command99"));
      if (window.runtime.errors.empty()) window.press(QStringLiteral("Command41"));
      if (*star[3]) {
        window.type(Field::AngleDegrees, qs(formatNumber(parseNumber(star[3]) / 3.6e6)));
        window.press(QStringLiteral("Command101"));
      }
      for (const auto& [column, field] : columns) {
        QVERIFY2(cell(run.out, row, column) == window.box(field)->text(), column);
      }
      QCOMPARE(cell(run.out, row, "error"), qs(window.runtime.errors).value(0));
    }
    QCOMPARE(cell(run.out, 2, "name"), QStringLiteral("\"Beta \"\"B\"\"\""));
    QCOMPARE(cell(run.out, 3, "error"), QStringLiteral("Errore di run-time: divisione per zero"));
  }

  // Bad input stops the run with the line it is on; an output file that was there stays
  // as it was, and nothing is left beside it.
  void badInput_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("message");
    const QByteArray header = "name,teff,v,distance_pc\n";
    QTest::newRow("a comma for a point")
        << header + "A,5000,4.83,10\nB,5000,4,83,10\n"
        << "riga 3: 5 valori, ma l'intestazione (riga 1) ha 4 colonne";
    QTest::newRow("letters") << "# stars\n\n" + header + "A,5000,4.83,10pc\n"
                             << "riga 4, colonna distance_pc: \"10pc\" non è un numero";
    QTest::newRow("missing value") << header + "A,,4.83,10\n"
                                   << "riga 2, colonna teff: valore mancante";
    QTest::newRow("open quote") << header + "\"A,5000,4.83,10\n"
                                << "riga 2: virgolette aperte e non chiuse sulla riga";
    QTest::newRow("no v column") << QByteArray("name,teff,distance_pc\nA,5000,10\n")
                                 << "riga 1: manca la colonna obbligatoria \"v\"";
    QTest::newRow("two distances") << QByteArray("v,teff,distance_pc,parallax_mas\n")
                                   << "riga 1: ci sono più colonne tra distance_pc, "
                                      "parallax_mas: scegliere quale usare con --distance-from";
    QTest::newRow("a line over 1 MiB") << header + "A," + QByteArray(1 << 20, 'x') + "\n"
                                       << "riga 2: più lunga di 1 MiB";
    QTest::newRow("empty") << QByteArray("\n# nothing\n")
                           << "il file non ha la riga di intestazione con i nomi delle colonne";
  }

  void badInput() {
    QFETCH(QByteArray, input);
    QFETCH(QString, message);
    QTemporaryDir folder;
    const QString output = folder.filePath(QStringLiteral("results.csv"));
    QVERIFY(writeFile(output, "earlier results\n"));
    const Run run = batch({QStringLiteral("-"), QStringLiteral("-o"), output}, input);
    QVERIFY2(run.exitCode == 1 && QString::fromUtf8(run.err).contains(message), run.err);
    QCOMPARE(readFile(output), QByteArray("earlier results\n"));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"results.csv"});
  }

  void commandLine() {
    QCOMPARE(batch({QStringLiteral("--no-such-option"), QStringLiteral("-")}).exitCode, 2);
    QVERIFY(batch({QStringLiteral("--help")}).out.startsWith("Uso: vespera-batch [opzioni]"));
    const Run unnamed = batch({"-", "-o", ""}, "name,teff,v,distance_pc\nA,5000,4.83,10\n");
    QVERIFY2(unnamed.exitCode == 2 && unnamed.out.isEmpty() &&
                 unnamed.err.startsWith("vespera-batch: -o/--output vuole il nome di un file"),
             unnamed.err);
  }

  // The lines of an input as the reader hands them out, wherever the block edges fall: each
  // input is read in blocks of every size from one byte to all of it, with lines of at most
  // 8 bytes, numbered from 2^31 - 1 on so that the numbers pass where a 32-bit count wraps.
  void lineReader_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("lines");  // "line:text" (counted from 1) | ... | how it ended
    const auto row = [](const char* name, const QByteArray& input, const char* lines) {
      QTest::newRow(name) << input << QByteArray(lines);
    };
    const QByteArray mark = "\xEF\xBB\xBF";
    row("blank lines", "\n\na\n\n\nb\n", "3:a|6:b|end");
    row("CR LF", "a\r\n\r\nb\rc\r\n", "1:a|3:b\rc|end");
    row("no last line end", "a\nbc", "1:a|2:bc|end");
    row("byte order mark", mark + "a\n" + mark, "1:a|2:\xEF\xBB\xBF|end");
    row("part of a mark", "\xEF\xBB", "1:\xEF\xBB|end");
    row("nothing", "", "end");
    row("too long", "12345678\r\n123456789\n", "1:12345678|2 too long");
    row("too long, unended", "1\n123456789", "1:1|2 too long");
    row("longest, ended by a last CR", "a\r\n12345678\r", "1:a|2:12345678|end");
    row("read failure", "a\nb", "1:a|read error 5");  // EIO
  }

  void lineReader() {
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, lines);
    const std::int64_t first = std::numeric_limits<std::int32_t>::max();
    const auto counted = [&](std::int64_t number) {
      return QByteArray::number(number - first + 1);
    };
    for (std::size_t block = 1; block <= std::size_t(input.size()) + 1; ++block) {
      qsizetype at = 0;
      LineReader reader(
          [&](char* into, std::size_t size) -> std::int64_t {
            const qsizetype count = std::min(qsizetype(size), input.size() - at);
            if (count == 0 && lines.contains("read error")) return errno = EIO, -1;
            std::memcpy(into, input.constData() + at, count);
            return at += count, count;
          },
          first, {block, 8});
      QByteArrayList seen;
      std::vector<Line> read;
      auto status = LineReader::Status::More;
      while (status == LineReader::Status::More) {
        status = reader.readBlock(read);
        for (const Line& line : read)
          seen << counted(line.number).append(':').append(QByteArrayView(line.text));
      }
      const QByteArray ended[] = {"", "end", counted(reader.lineNumber()) + " too long",
                                  "read error " + QByteArray::number(reader.readError())};
      seen << ended[int(status)];
      QVERIFY2(seen.join('|') == lines && reader.bytesRead() == at,
               "blocks of " + QByteArray::number(block) + ": " + seen.join('|'));
    }
  }

  // On standard output each row goes out as soon as it is done, before the input ends, here
  // from a non-blocking standard input that its writer does not keep filled.
  void rowsGoOutAsTheyAreDone() {
    QProcess process;
    process.setChildProcessModifier([] { fcntl(STDIN_FILENO, F_SETFL, O_NONBLOCK); });
    process.start(QStringLiteral(VESPERA_BATCH), {QStringLiteral("-")});
    QVERIFY(process.waitForStarted(30000));
    process.write("name,surface_mag,v,distance_pc\nA,50.7,4.83,10\nB,47,1,100\n");
    while (process.state() == QProcess::Running && process.peek(1 << 16).count('\n') < 3) {
      QVERIFY(process.waitForReadyRead(30000));
    }
    QCOMPARE(process.readAll().count('\n'), 3);
    // Past its rows the program can sleep only waiting for more input, which comes then.
    const auto asleepOrGone = [&process] {
      QFile status(QStringLiteral("/proc/%1/stat").arg(process.processId()));
      return !status.open(QIODevice::ReadOnly) || status.readAll().split(' ').value(2) == "S";
    };
    QTRY_VERIFY_WITH_TIMEOUT(asleepOrGone(), 30000);
    process.write("C,47,1,100\n");
    process.closeWriteChannel();
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.readAll().count('\n'), 1);
  }

  // Many stars, worked on every core or, with no thread to be had, on one, all in input
  // order. What the system refuses ends the run with the reason (quietly for a reader that
  // stops), output files stay as they were, with nothing left beside them.
  void hostileConditions() {
    // clang-format off
    const struct { const char* what; QStringList arguments; void (*inChild)(); int exitCode;
                   const char* message; qsizetype rows; } cases[] = {  // no message: stderr empty
      {"locked folder", {"-", "-o", "%1/locked/results.csv"}, becomeNobody, 1,
       "impossibile creare un file nella cartella \"%1/locked\"", 0},
      {"link into it", {"-", "-o", "%1/link.csv"}, becomeNobody, 1,
       "impossibile creare un file nella cartella \"%1/locked\"", 0},
      {"missing folder", {"-", "-o", "%1/missing/results.csv"}, [] {}, 1,
       "impossibile scrivere \"%1/missing/results.csv\": una cartella del percorso non esiste", 0},
      {"full disk", {"%1/stars.csv", "-o", "%1/results.csv"}, [] { std::signal(SIGXFSZ, SIG_IGN);
         const rlimit limit{1 << 20, RLIM_INFINITY}; setrlimit(RLIMIT_FSIZE, &limit); }, 1,
       "impossibile scrivere \"%1/results.csv\": il file supera la dimensione massima", 0},
      {"device full", {"%1/stars.csv", "-o", "/dev/full"}, [] {}, 1,
       "impossibile scrivere \"/dev/full\": il disco \u00e8 pieno", 0},
      {"many stars", {"%1/stars.csv"}, [] {}, 0, {}, 30001},
      {"no thread", {"%1/stars.csv"}, [] {
         becomeNobody(); const rlimit one{1, 1}; setrlimit(RLIMIT_NPROC, &one);
         setenv("ASAN_OPTIONS", "detect_leaks=0", 1); }, 0, {}, 30001},  // LeakSanitizer's thread too
      {"stdin closed", {"-"}, [] { close(STDIN_FILENO); }, 1, "lo standard input \u00e8 chiuso", 0},
      {"stdout closed", {"%1/stars.csv"}, [] { close(STDOUT_FILENO); }, 1,
       "impossibile scrivere \"-\": il descrittore \u00e8 chiuso", 0},
      {"reader gone", {"%1/stars.csv"}, [] { int ends[2];
         if (pipe(ends) == 0 && close(ends[0]) == 0) dup2(ends[1], STDOUT_FILENO); }, 0, {}, 0},
    };
    // clang-format on
    QTemporaryDir folder;  // with a copy of the tool that nobody may run, wherever the build is
    const QString locked = folder.filePath(QStringLiteral("locked"));
    QVERIFY(QFile::copy(VESPERA_BATCH, folder.filePath("vespera-batch")));
    QByteArray stars = "name,surface_mag,v,distance_pc\n";
    for (int i = 0; i < 30000; ++i) stars += "S" + QByteArray::number(i) + ",50.7,4.83,10\n";
    QVERIFY(writeFile(folder.filePath(QStringLiteral("stars.csv")), stars) && QDir().mkdir(locked));
    for (const QString& output : {folder.filePath("results.csv"), locked + "/results.csv"})
      QVERIFY(writeFile(output, "earlier results\n") && chmod(qPrintable(output), 0666) == 0);
    QVERIFY(QFile::link(locked + "/results.csv", folder.filePath("link.csv")));
    QVERIFY(chmod(qPrintable(folder.path()), 0777) == 0 && chmod(qPrintable(locked), 0555) == 0);
    for (const auto& c : cases) {
      QStringList arguments;
      for (const QString& argument : c.arguments)
        arguments << QString(argument).replace("%1", folder.path());
      const Run run = batch(arguments, "name,teff,v,distance_pc\nA,5000,4.83,10\nB,5000,4,10\n",
                            c.inChild, folder.filePath("vespera-batch"));
      const QString message = QString::fromUtf8(c.message).replace("%1", folder.path());
      const bool told =
          c.message ? QString::fromUtf8(run.err).contains(message) : run.err.isEmpty();
      QVERIFY2(told && run.exitCode == c.exitCode && run.out.count('\n') == c.rows,
               c.what + (": " + run.err));
      const QList<QByteArray> lines = run.out.split('\n');
      for (int i = 1; i < c.rows; ++i)
        QVERIFY(lines[i].startsWith("S" + QByteArray::number(i - 1) + ','));
      QCOMPARE(readFile(folder.filePath("results.csv")) + readFile(locked + "/results.csv"),
               QByteArray("earlier results\nearlier results\n"));
      QCOMPARE(
          QDir(folder.path()).entryList(QDir::Files) + QDir(locked).entryList(QDir::Files),
          QStringList({"link.csv", "results.csv", "stars.csv", "vespera-batch", "results.csv"}));
    }
  }

  // The progress line appears on a terminal only, not between the rows on the same one, and
  // is cleared at the end.
  void progressOnATerminalOnly() {
    QTemporaryDir folder;
    const QString stars = folder.filePath(QStringLiteral("stars.csv"));
    QVERIFY(writeFile(stars, "name,surface_mag,v,distance_pc\nA,50.7,4.83,10\n"));
    const int terminal = posix_openpt(O_RDWR | O_NOCTTY);
    QVERIFY(terminal >= 0 && grantpt(terminal) == 0 && unlockpt(terminal) == 0);
    const int screen = open(ptsname(terminal), O_RDWR | O_NOCTTY);
    QVERIFY(screen >= 0);
    fcntl(terminal, F_SETFL, O_NONBLOCK);
    // Standard error on the terminal, and `rows` too (standard error again, or standard output).
    const auto shown = [&](const QStringList& arguments, int rows = STDERR_FILENO) {
      const auto onScreen = [screen, rows] {
        for (const int channel : {STDERR_FILENO, rows}) dup2(screen, channel);
      };
      QCOMPARE(batch(arguments, {}, onScreen).exitCode, 0);
    };
    const auto seen = [terminal] {
      QByteArray bytes(4096, '\0');
      const ssize_t count = read(terminal, bytes.data(), bytes.size());
      return bytes.left(count > 0 ? count : 0);
    };
    shown({stars});
    const QByteArray progress = seen();
    QVERIFY2(progress.contains("righe elaborate: 1, ") && progress.contains(" al secondo, 100%"),
             progress);
    QVERIFY(progress.endsWith("\r\033[K"));
    shown({stars, QStringLiteral("--quiet")});
    QCOMPARE(seen(), QByteArray());
    shown({stars}, STDOUT_FILENO);
    QCOMPARE(seen(), batch({stars}).out.replace("\n", "\r\n"));  // the terminal's line ends
    close(screen);
    close(terminal);
  }
};

QTEST_MAIN(BatchTest)
#include "test_batch.moc"
