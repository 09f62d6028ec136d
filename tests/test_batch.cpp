#include "core/number_text.h"
#include "support/files.h"
#include "support/test_window.h"

#include <QProcess>

#include <fcntl.h>
#include <sys/resource.h>
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
          const std::function<void()>& inChild = {}) {
  QProcess process;
  if (inChild) process.setChildProcessModifier(inChild);
  process.start(QStringLiteral(VESPERA_BATCH), arguments);
  process.write(input);
  process.closeWriteChannel();
  if (!process.waitForFinished(60000)) process.kill();
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          process.readAllStandardOutput(), process.readAllStandardError()};
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
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QByteArray());
    const struct {
      const char* preset;
      const char* v;
      const char* parallax;
      const char* theta;
    } stars[] = {{"5750", "4.83", "100", "2"}, {"3200", "1.5", "0.5", ""}, {"43000", "2", "0", ""}};
    const std::pair<const char*, Field> columns[] = {
        {"preset_k", Field::Text7},      {"surface_mag", Field::Text1},
        {"distance_pc", Field::Text3},   {"diameter_m", Field::Text4},
        {"abs_mag", Field::Text5},       {"sun_ratio", Field::Text6},
        {"parallax_mas", Field::Text11}, {"light_years", Field::Text12},
        {"au", Field::Text15},           {"km", Field::Text16},
        {"theta_deg", Field::Text13},    {"angular_km", Field::Text14}};
    for (int row = 1; row <= 3; ++row) {
      TestWindow window;
      const auto& star = stars[row - 1];
      for (QPushButton* button : window.window.findChildren<QPushButton*>()) {
        if (button->text() == QLatin1String(star.preset)) QTest::mouseClick(button, Qt::LeftButton);
      }
      window.type(Field::Text2, star.v);
      window.type(Field::Text11, star.parallax);
      window.press(QStringLiteral("Command99"));
      if (window.runtime.errors.isEmpty()) window.press(QStringLiteral("Command41"));
      if (*star.theta) {
        window.type(Field::Text13, formatNumber(parseNumber(star.theta) / 3.6e6));
        window.press(QStringLiteral("Command101"));
      }
      for (const auto& [column, field] : columns) {
        QVERIFY2(cell(run.out, row, column) == window.box(field)->text(), column);
      }
      QCOMPARE(cell(run.out, row, "error"), window.runtime.errors.value(0));
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
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(QString::fromUtf8(run.err).contains(message), run.err);
    QCOMPARE(readFile(output), QByteArray("earlier results\n"));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"results.csv"});
    QCOMPARE(batch({QStringLiteral("--no-such-option"), QStringLiteral("-")}).exitCode, 2);
    QVERIFY(batch({QStringLiteral("--help")}).out.startsWith("Uso: vespera-batch [opzioni]"));
  }

  // Many stars, worked in blocks on every core: all of them, in input order, into a file
  // that replaces the earlier one only when complete. A disk that fills up half way
  // leaves the earlier file as it was.
  void manyStarsIntoAFile() {
    QByteArray input = "name,surface_mag,v,distance_pc\n";
    for (int i = 0; i < 30000; ++i) input += "S" + QByteArray::number(i) + ",50.7,4.83,10\n";
    QTemporaryDir folder;
    const QString stars = folder.filePath(QStringLiteral("stars.csv"));
    const QString output = folder.filePath(QStringLiteral("results.csv"));
    QVERIFY(writeFile(stars, input));
    QVERIFY(writeFile(output, "earlier results\n"));
    const Run full = batch({stars, QStringLiteral("-o"), output}, {}, [] {
      // 3 MB of results stop a third of the way; a coverage build's small files still fit.
      const rlimit limit{1 << 20, RLIM_INFINITY};
      std::signal(SIGXFSZ, SIG_IGN);
      setrlimit(RLIMIT_FSIZE, &limit);
    });
    QCOMPARE(full.exitCode, 1);
    QVERIFY2(full.err.contains("impossibile scrivere"), full.err);
    QCOMPARE(readFile(output), QByteArray("earlier results\n"));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 2);

    const Run run = batch({stars, QStringLiteral("--output"), output});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QByteArray());
    const QList<QByteArray> lines = readFile(output).split('\n');
    QCOMPARE(lines.size(), 30002);
    for (int i = 0; i < 30000; ++i)
      QVERIFY(lines[i + 1].startsWith("S" + QByteArray::number(i) + ','));
  }

  // On standard output each row goes out as soon as it is done, before the input ends.
  void rowsGoOutAsTheyAreDone() {
    QProcess process;
    process.start(QStringLiteral(VESPERA_BATCH), {QStringLiteral("-")});
    QVERIFY(process.waitForStarted(30000));
    process.write("name,surface_mag,v,distance_pc\nA,50.7,4.83,10\nB,47,1,100\n");
    while (process.state() == QProcess::Running && process.peek(1 << 16).count('\n') < 3) {
      QVERIFY(process.waitForReadyRead(30000));
    }
    QCOMPARE(process.readAll().count('\n'), 3);
    process.write("C,47,1,100\n");
    process.closeWriteChannel();
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.readAll().count('\n'), 1);
  }

  // The progress line appears on a terminal only, and is cleared at the end.
  void progressOnATerminalOnly() {
    QTemporaryDir folder;
    const QString stars = folder.filePath(QStringLiteral("stars.csv"));
    QVERIFY(writeFile(stars, "name,surface_mag,v,distance_pc\nA,50.7,4.83,10\n"));
    const int terminal = posix_openpt(O_RDWR | O_NOCTTY);
    QVERIFY(terminal >= 0 && grantpt(terminal) == 0 && unlockpt(terminal) == 0);
    const int screen = open(ptsname(terminal), O_RDWR | O_NOCTTY);
    QVERIFY(screen >= 0);
    fcntl(terminal, F_SETFL, O_NONBLOCK);
    const auto shown = [&](const QStringList& arguments) {
      QCOMPARE(batch(arguments, {}, [screen] { dup2(screen, STDERR_FILENO); }).exitCode, 0);
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
    close(screen);
    close(terminal);
  }
};

QTEST_MAIN(BatchTest)
#include "test_batch.moc"
