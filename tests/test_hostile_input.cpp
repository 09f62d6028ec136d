#include "core/number_text.h"
#include "core/recording_runtime.h"
#include "storage/measurement_file.h"
#include "support/test_services.h"
#include "ui/fonts.h"
#include "ui/main_window.h"

#include <QtTest>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

#include <cmath>
#include <vector>

#ifdef Q_OS_UNIX
#include <sys/resource.h>

#include <csignal>
#endif

using namespace vespera;

// Bad input through the real window: text nobody should type, pasted into
// every input of every calculation, and saves that cannot succeed. Nothing
// may crash or hang, a result is either a number or left alone with the fault
// told to the user, what the user typed stays as typed, and a save that fails
// never costs the file saved before it.
namespace {

// One calculation button, the inputs it reads with ordinary values, and the
// results it writes in the order it writes them.
struct Calculation {
  const char* button;
  std::vector<std::pair<const char*, const char*>> inputs;
  std::vector<const char*> results;
};

const std::vector<Calculation>& calculations() {
  static const std::vector<Calculation> all = {
      {"Command41",
       {{"Text1", "50.7"}, {"Text2", "4.83"}, {"Text3", "10"}},
       {"Text4", "Text5", "Text6", "Text11", "Text12", "Text15", "Text16"}},
      {"Command99", {{"Text11", "100"}}, {"Text3"}},
      {"Command102", {{"Text12", "32.6156"}}, {"Text3"}},
      {"Command104", {{"Text15", "2062650"}}, {"Text3"}},
      {"Command106", {{"Text16", "3.086E14"}}, {"Text3"}},
      {"Command108", {{"Text17", "30"}}, {"Text13"}},
      {"Command109", {{"Text18", "36"}}, {"Text13"}},
      {"Command101", {{"Text13", "0.5"}, {"Text3", "10"}}, {"Text14"}},
      {"Command111", {{"Text8", "1.5"}, {"Text9", "0.85"}}, {"Text10"}},
      {"Command96", {{"Text10", "0.65"}}, {"Text7"}},
  };
  return all;
}

const QString kMegabyte = QString(1 << 20, QLatin1Char('x'));

// The texts, each with what the arc-minute arrow makes of it (minutes / 60 in
// Text13), or an empty expectation where reading it is an overflow fault.
struct HostileText {
  const char* name;
  QString text;
  QString minutesAsDegrees;
};

const std::vector<HostileText>& hostileTexts() {
  static const std::vector<HostileText> all = {
      {"lone minus", "-", "0"},
      {"lone point", ".", "0"},
      {"lone E", "E", "0"},
      {"lone plus", "+", "0"},
      {"exponent without digits", "3E", "0.05"},
      {"1E400", "1E400", ""},
      {"-1E400", "-1E400", ""},
      {"1E-400 reads as zero", "1E-400", "0"},
      {"-1E-400 reads as zero", "-1E-400", "0"},
      {"NaN", "NaN", "0"},
      {"Infinity", "Infinity", "0"},
      {"-Infinity", "-Infinity", "0"},
      {"C hexadecimal", "0x10", "0"},
      {"Basic hexadecimal", "&H10", "0"},
      {"control characters", QString::fromLatin1("\x01\x02\x1b[0m\x7f"), "0"},
      {"control character after a number", QString::fromLatin1("12\x07"), "0.2"},
      {"NUL inside a number", QString::fromLatin1("6\0" "0", 3), "0.1"},
      {"tab before a number", "\t7", ""},
      {"comma as separator", "1,5", "0.0166666666666667"},
      {"two points", "1.2.3", "0.02"},
      {"full-width digits", QString::fromUtf8("\uFF11\uFF12"), "0"},
      {"Arabic-Indic digits", QString::fromUtf8("\u0661\u0662"), "0"},
      {"right-to-left mark", QString::fromUtf8("\u200F12"), "0"},
      {"emoji", QString::fromUtf8("\U0001F31F"), "0"},
      {"1 MB of letters after a number", "6" + kMegabyte, "0.1"},
      {"1 MB of digits", QString(1 << 20, QLatin1Char('1')), ""},
      {"1 MB fraction", "0." + QString(1 << 20, QLatin1Char('0')) + "6", "0"},
      {"1 MB exponent", "1E" + QString(1 << 20, QLatin1Char('9')), ""},
      {"1 MB of minus signs", QString(1 << 20, QLatin1Char('-')), "0"},
  };
  return all;
}

// What formatNumber writes: digits with at most one point, an optional
// exponent, no blanks, no nan or inf.
bool isWrittenNumber(const QString& text) {
  static const QRegularExpression shape(QStringLiteral("^-?\\d+(\\.\\d+)?(E[+-]\\d{2,3})?$"));
  if (!shape.match(text).hasMatch()) return false;
  try {
    return std::isfinite(parseNumber(text));
  } catch (const RuntimeError&) {
    return false;
  }
}

// Stand-ins for paths of exactly 4096 characters in a given folder: one name
// far longer than a file system allows, or folders of 100 characters each.
const QString kLongName = QStringLiteral("<one long name>");
const QString kLongFolders = QStringLiteral("<long folders>");

QString longPath(const QString& folder, const QString& relative) {
  const qsizetype room = 4096 - folder.size() - 1;
  if (relative == kLongName) return QString(room, QLatin1Char('n'));
  if (relative != kLongFolders) return relative;
  QString path;
  while (path.size() + 101 < room) path += QString(100, QLatin1Char('d')) + QLatin1Char('/');
  return path + QString(room - path.size(), QLatin1Char('f'));
}

// A result box's text before a run: not a number, so a write shows.
const QString kOldResult = QStringLiteral("vecchio");

}  // namespace

class HostileInputTest : public QObject {
  Q_OBJECT

  RecordingRuntime runtime_;
  std::unique_ptr<TestServices> services_;
  std::unique_ptr<MainWindow> window_;
  QTemporaryDir folder_;

  QLineEdit* box(const QString& name) {
    auto* found = window_->findChild<QLineEdit*>(name);
    if (!found) qFatal("no text box %s", qPrintable(name));
    return found;
  }

  void press(const QString& name) {
    auto* button = window_->findChild<QPushButton*>(name);
    QVERIFY2(button, qPrintable(name));
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Space);
  }

  // What a person does with text from elsewhere: select all, paste.
  void paste(const QString& name, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    QLineEdit* field = box(name);
    field->setFocus();
    QTest::keySequence(field, QKeySequence::SelectAll);
    QTest::keySequence(field, QKeySequence::Paste);
  }

  void type(const QString& name, const QString& text) {
    QLineEdit* field = box(name);
    field->setFocus();
    QTest::keySequence(field, QKeySequence::SelectAll);
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
  }

  static QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
  }

  static void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
  }

  // The window still answers: the 4000 K preset fills its two boxes.
  void checkStillUsable() {
    press(QStringLiteral("Command1"));
    QCOMPARE(box(QStringLiteral("Text1"))->text(), QStringLiteral("52.8"));
    QCOMPARE(box(QStringLiteral("Text7"))->text(), QStringLiteral("4000"));
  }

 private slots:
  void initTestCase() {
    QVERIFY(folder_.isValid());
    services_ = std::make_unique<TestServices>(folder_.filePath(QStringLiteral("stampa.pdf")));
    window_ = std::make_unique<MainWindow>(runtime_, services_->services());
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  }

  void init() {
    runtime_.messages.clear();
    runtime_.errors.clear();
  }

  // Every hostile text in every input of every calculation, the other inputs
  // holding ordinary values.
  void everyInputOfEveryCalculation_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("text");
    for (const Calculation& calculation : calculations()) {
      for (const auto& [input, ordinary] : calculation.inputs) {
        for (const HostileText& hostile : hostileTexts()) {
          QTest::addRow("%s %s: %s", calculation.button, input, hostile.name)
              << QString::fromLatin1(calculation.button) << QString::fromLatin1(input)
              << hostile.text;
        }
      }
    }
  }

  void everyInputOfEveryCalculation() {
    QFETCH(QString, button);
    QFETCH(QString, input);
    QFETCH(QString, text);
    const auto calculation = std::find_if(
        calculations().begin(), calculations().end(),
        [&](const Calculation& c) { return button == QLatin1String(c.button); });
    QVERIFY(calculation != calculations().end());

    for (const auto& [name, ordinary] : calculation->inputs) {
      box(QString::fromLatin1(name))->setText(QString::fromLatin1(ordinary));
    }
    for (const char* result : calculation->results) box(QString::fromLatin1(result))->setText(kOldResult);
    paste(input, text);
    const QString entered = box(input)->text();
    QVERIFY2(!entered.isEmpty(), "the paste put nothing into the box");
    if (text.size() >= (1 << 20)) QVERIFY(entered.size() >= (1 << 20));

    QElapsedTimer clock;
    clock.start();
    press(button);
    QVERIFY2(clock.elapsed() < 10000, qPrintable(QStringLiteral("took %1 ms").arg(clock.elapsed())));

    // What the user typed is never rewritten.
    QCOMPARE(box(input)->text(), entered);
    QVERIFY2(runtime_.messages.isEmpty(), qPrintable(runtime_.messages.value(0).prompt));
    QVERIFY2(runtime_.errors.size() <= 1, qPrintable(runtime_.errors.join(QLatin1Char('|'))));
    for (const QString& error : std::as_const(runtime_.errors)) {
      QVERIFY2(error.startsWith(QLatin1String("Errore di run-time")), qPrintable(error));
    }
    // Results are written in order until the fault, if any; each one written
    // is a number, and a fault leaves the rest as they were.
    bool stopped = false;
    for (const char* result : calculation->results) {
      const QString now = box(QString::fromLatin1(result))->text();
      const QString what = QString::fromLatin1(result) + QStringLiteral(": ") + now.left(80);
      if (now == kOldResult) {
        stopped = true;
      } else {
        QVERIFY2(!stopped, qPrintable(what + QStringLiteral(" written after the fault")));
        QVERIFY2(isWrittenNumber(now), qPrintable(what));
      }
    }
    QCOMPARE(stopped, !runtime_.errors.isEmpty());
    checkStillUsable();
  }

  // The arc-minute arrow shows what a text reads as: the number at its start,
  // 0 where there is none, an overflow fault beyond the double range.
  void readsAsTheNumberAtItsStart_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("degrees");
    for (const HostileText& hostile : hostileTexts()) {
      if (QLatin1String(hostile.name) == QLatin1String("tab before a number")) continue;
      QTest::newRow(hostile.name) << hostile.text << hostile.minutesAsDegrees;
    }
    QTest::newRow("number then letters") << QStringLiteral("30abc") << QStringLiteral("0.5");
    QTest::newRow("leading plus") << QStringLiteral("+30") << QStringLiteral("0.5");
    QTest::newRow("leading blanks") << QStringLiteral("   45") << QStringLiteral("0.75");
    QTest::newRow("exponent") << QStringLiteral("3E1") << QStringLiteral("0.5");
    QTest::newRow("point first, exponent") << QStringLiteral(".6E2") << QStringLiteral("1");
  }

  void readsAsTheNumberAtItsStart() {
    QFETCH(QString, text);
    QFETCH(QString, degrees);
    box(QStringLiteral("Text13"))->setText(kOldResult);
    paste(QStringLiteral("Text17"), text);
    press(QStringLiteral("Command108"));
    if (degrees.isEmpty()) {
      QCOMPARE(runtime_.errors, QStringList{QStringLiteral("Errore di run-time: overflow")});
      QCOMPARE(box(QStringLiteral("Text13"))->text(), kOldResult);
    } else {
      QVERIFY2(runtime_.errors.isEmpty(), qPrintable(runtime_.errors.value(0)));
      QCOMPARE(box(QStringLiteral("Text13"))->text(), degrees);
    }
  }

  // Saves that must fail say so and leave an earlier file as it was; odd but
  // valid names are saved like any other.
  void saveUnderFaults_data() {
    QTest::addColumn<QString>("path");  // relative to the temporary folder
    QTest::addColumn<QString>("spectralType");
    QTest::addColumn<bool>("earlierFile");
    QTest::addColumn<bool>("saved");
    QTest::newRow("Cyrillic name") << QStringLiteral("\u0441\u0442\u0430\u0440.txt")
                                   << "G2V" << false << true;
    QTest::newRow("Chinese name") << QStringLiteral("\u661F.txt") << "G2V" << false << true;
    QTest::newRow("Cyrillic name over an earlier file")
        << QStringLiteral("\u0441\u0442\u0430\u0440.txt") << "G2V" << true << true;
    QTest::newRow("blank and accent in the name") << QStringLiteral("misura \u00E8.txt") << "G2V"
                                                  << false << true;
    QTest::newRow("a folder") << QStringLiteral("cartella") << "G2V" << false << false;
    QTest::newRow("path of 4096 characters, one long name")
        << kLongName << "G2V" << false << false;
    QTest::newRow("path of 4096 characters, many folders")
        << kLongFolders << "G2V" << false << false;
    QTest::newRow("folder that does not exist")
        << QStringLiteral("manca/misura.txt") << "G2V" << false << false;
    QTest::newRow("empty name") << QString() << "G2V" << false << false;
    QTest::newRow("text with no Windows-1252 byte, over an earlier file")
        << QStringLiteral("misura.txt") << QStringLiteral("\u661F") << true << false;
    QTest::newRow("1 MB spectral type over an earlier file")
        << QStringLiteral("grande.txt") << kMegabyte << true << true;
  }

  void saveUnderFaults() {
    QFETCH(QString, path);
    QFETCH(QString, spectralType);
    QFETCH(bool, earlierFile);
    QFETCH(bool, saved);
    QTemporaryDir here;
    QVERIFY(QDir(here.path()).mkdir(QStringLiteral("cartella")));
    const QString target = path.isEmpty() ? QString() : here.filePath(longPath(here.path(), path));
    if (path == kLongName || path == kLongFolders) QCOMPARE(target.size(), 4096);
    const QByteArray earlier = "record precedente\r\n";
    if (earlierFile) writeFile(target, earlier);
    if (QTest::currentTestFailed()) return;

    press(QStringLiteral("Command51"));  // RESET: every field but Text19 and NomeFile empty
    paste(QStringLiteral("Text19"), spectralType);
    box(QStringLiteral("NomeFile"))->setText(target);
    press(QStringLiteral("Command84"));

    QCOMPARE(runtime_.messages.size(), 1);
    QCOMPARE(runtime_.messages[0].title, QStringLiteral("Salva"));
    if (saved) {
      QCOMPARE(runtime_.messages[0].prompt, QStringLiteral("Salvataggio effettuato!"));
      const QByteArray expected =
          "Diametro Stella in metriRapporto Diametro Stella con il Sole Magnitudine Assoluta V"
          "Dimensione angolare in(\xB0)Calcolo diametro con dimensione angolareKilometri(B-V)"
          "Temperatura Stella in KelvinTipo spettrale" + spectralType.toLatin1() + "\r\n";
      QCOMPARE(contentOf(target), expected);
      // The name on disk is the name typed, not a transliteration of it.
      QVERIFY(QDir(QFileInfo(target).path()).entryList(QDir::Files).contains(QFileInfo(target).fileName()));
    } else {
      QCOMPARE(runtime_.messages[0].prompt,
               QStringLiteral("Si \u00E8 verificato un errore nel salvataggio."));
      QCOMPARE(runtime_.messages[0].flags, int(kCriticalIcon));
      if (earlierFile) QCOMPARE(contentOf(target), earlier);
    }
    // Nothing else appeared beside the target: no temporary file left over.
    QStringList expectedEntries{QStringLiteral("cartella")};
    if (saved || earlierFile) expectedEntries << QFileInfo(target).fileName();
    if (!target.isEmpty() && QFileInfo(target).path() == here.path()) {
      QStringList entries = QDir(here.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
      entries.sort();
      expectedEntries.sort();
      QCOMPARE(entries, expectedEntries);
    }
    QCOMPARE(box(QStringLiteral("NomeFile"))->text(), target);
  }

  // A device that takes the open but refuses every byte, as a full disk does.
  void aFullDeviceIsAFailedSave() {
    if (!QFileInfo::exists(QStringLiteral("/dev/full"))) QSKIP("this system has no /dev/full");
    box(QStringLiteral("NomeFile"))->setText(QStringLiteral("/dev/full"));
    press(QStringLiteral("Command98"));
    QCOMPARE(runtime_.messages.size(), 1);
    QCOMPARE(runtime_.messages[0].prompt,
             QStringLiteral("Si \u00E8 verificato un errore nel salvataggio."));
    QVERIFY(QFileInfo(QStringLiteral("/dev/full")).exists());
    QVERIFY(!QFileInfo(QStringLiteral("/dev/full")).isFile());  // still the device
  }

  // A disk that fills up while the record goes out, made by a file-size
  // limit on this process: the bytes reach the file only when its buffer is
  // written, after every write() already said yes. The save must still fail
  // and leave the earlier file whole.
  void aDiskFillingUpAtTheLastMomentKeepsTheEarlierFile() {
#ifdef Q_OS_UNIX
    QTemporaryDir here;
    const QString path = here.filePath(QStringLiteral("quasi-pieno.txt"));
    const QByteArray earlier = "record precedente\r\n";
    writeFile(path, earlier);
    box(QStringLiteral("NomeFile"))->setText(path);
    type(QStringLiteral("Text19"), QStringLiteral("G2V"));

    std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of ending us
    rlimit normal{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &normal), 0);
    rlimit nearlyFull = normal;
    nearlyFull.rlim_cur = 64;  // the full record is over 200 bytes
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &nearlyFull), 0);
    press(QStringLiteral("Command84"));
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &normal), 0);

    QCOMPARE(runtime_.messages.size(), 1);
    QCOMPARE(runtime_.messages[0].prompt,
             QStringLiteral("Si \u00E8 verificato un errore nel salvataggio."));
    QCOMPARE(contentOf(path), earlier);
    QCOMPARE(QDir(here.path()).entryList(QDir::Files), QStringList{QStringLiteral("quasi-pieno.txt")});
#else
    QSKIP("file-size limits are a Unix facility");
#endif
  }

  // The disk filling up half-way through the write: the failure is told and
  // the earlier save is still there, whole.
  void aWriteFailingHalfWayKeepsTheEarlierFile() {
    const QString path = folder_.filePath(QStringLiteral("pieno.txt"));
    box(QStringLiteral("NomeFile"))->setText(path);
    type(QStringLiteral("Text19"), QStringLiteral("G2V"));
    press(QStringLiteral("Command110"));
    const QByteArray earlier = contentOf(path);
    QVERIFY(earlier.startsWith("Dimensione angolare in(\xB0)"));

    runtime_.messages.clear();
    const ByteWriter halfThenFull = [](QIODevice& file, const QByteArray& bytes) {
      file.write(bytes.left(bytes.size() / 2));
      return false;
    };
    saveMeasurement(fullRecordItems(), window_->fields(), runtime_, halfThenFull);
    QCOMPARE(runtime_.messages.size(), 1);
    QCOMPARE(runtime_.messages[0].prompt,
             QStringLiteral("Si \u00E8 verificato un errore nel salvataggio."));
    QCOMPARE(contentOf(path), earlier);
    QCOMPARE(QDir(folder_.path()).entryList(QDir::Files), QStringList{QStringLiteral("pieno.txt")});
  }
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setStyle(QStringLiteral("Fusion"));
  installFontSubstitutes();
  HostileInputTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_hostile_input.moc"
