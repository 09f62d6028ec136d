#include "core/handler.h"
#include "core/recording_runtime.h"
#include "storage/measurement_file.h"

#include <QtTest>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <map>

using namespace vespera;

namespace {

// The captions the window shows beside the saved values.
void seedCaptions(MemoryFieldStore& store) {
  store.setCaption("Label5", "Diametro Stella in metri");
  store.setCaption("Label7", "Rapporto Diametro Stella con il Sole ");
  store.setCaption("Label6", "Magnitudine Assoluta V");
  store.setCaption("Label8", "Dimensione angolare in(°)");
  store.setCaption("Frame1", "Calcolo diametro con dimensione angolare");
  store.setCaption("Label19", "Kilometri");
  store.setCaption("Label13", "(B-V)");
  store.setCaption("Label1", "Temperatura Stella in Kelvin");
  store.setCaption("Label20", "Tipo spettrale");
}

// Field texts given as "Text4=1391000000".
void seedFields(MemoryFieldStore& store, const QStringList& assignments) {
  for (const QString& assignment : assignments) {
    const std::optional<Field> field = fieldFromName(assignment.section('=', 0, 0));
    QVERIFY2(field, qPrintable(assignment));
    store.setText(*field, assignment.section('=', 1));
  }
}

const QStringList kSample = {"Text4=1391000000", "Text6=1",     "Text5=4.83", "Text13=0.533",
                             "Text14=1391000",   "Text10=0.65", "Text7=5800", "Text19=G2V"};

const std::map<int, Handler>& saveButtons() {
  static const std::map<int, Handler> buttons = {
      {84, Command84_Click}, {98, Command98_Click}, {110, Command110_Click}};
  return buttons;
}

// The three lines written from the sample, as bytes.
const QByteArray kFullSample =
    "Diametro Stella in metri1391000000Rapporto Diametro Stella con il Sole 1"
    "Magnitudine Assoluta V4.83Dimensione angolare in(\xB0)0.533"
    "Calcolo diametro con dimensione angolare1391000Kilometri(B-V)0.65"
    "Temperatura Stella in Kelvin5800Tipo spettraleG2V\r\n";
const QByteArray kAbsoluteSample = "Magnitudine Assoluta V4.83(B-V)0.65\r\n";
const QByteArray kAngularSample =
    "Dimensione angolare in(\xB0)0.533Calcolo diametro con dimensione angolare1391000"
    "Kilometri\r\n";

// A record saved earlier, which failed saves must leave alone.
const QByteArray kEarlierRecord = "Magnitudine Assoluta V-4,2(B-V)1,1\r\nsecond line \xB0\r\n";

// A window holding the sample measurement, its captions and the given path.
MemoryFieldStore sampleWindow(const QString& path) {
  MemoryFieldStore store;
  seedCaptions(store);
  seedFields(store, kSample);
  store.setText(Field::NomeFile, path);
  return store;
}

QByteArray readFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return "<unreadable>";
  return file.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  QCOMPARE(file.write(bytes), bytes.size());
}

// Every entry under root with the bytes of every regular file.
std::map<QString, QByteArray> snapshot(const QString& root) {
  std::map<QString, QByteArray> entries;
  QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    const QFileInfo info = it.fileInfo();
    entries[QDir(root).relativeFilePath(path)] = info.isFile() ? readFile(path) : "<not a file>";
  }
  return entries;
}

int openDescriptors() {
  const QDir descriptors(QStringLiteral("/proc/self/fd"));
  return descriptors.exists() ? int(descriptors.count()) : -1;
}

bool runningAsRoot() {
#ifdef Q_OS_UNIX
  return geteuid() == 0;
#else
  return false;
#endif
}

void verifySuccessShownOnce(const RecordingRuntime& runtime) {
  QCOMPARE(runtime.messages.size(), 1);
  QCOMPARE(runtime.messages[0].prompt, QStringLiteral("Salvataggio effettuato!"));
  QCOMPARE(runtime.messages[0].flags, 64);
  QCOMPARE(runtime.messages[0].title, QStringLiteral("Salva"));
  QVERIFY(runtime.errors.isEmpty());
}

void verifyFailureShownOnce(const RecordingRuntime& runtime) {
  QCOMPARE(runtime.messages.size(), 1);
  QCOMPARE(runtime.messages[0].prompt,
           QStringLiteral("Si \u00E8 verificato un errore nel salvataggio."));
  QCOMPARE(runtime.messages[0].flags, 16);
  QCOMPARE(runtime.messages[0].title, QStringLiteral("Salva"));
  QVERIFY(runtime.errors.isEmpty());
}

}  // namespace

class MeasurementFileTest : public QObject {
  Q_OBJECT

 private slots:
  void records_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("full record of the sample") << 84 << kSample << kFullSample;
    QTest::newRow("absolute-magnitude record of the sample") << 98 << kSample << kAbsoluteSample;
    QTest::newRow("angular-size record of the sample") << 110 << kSample << kAngularSample;
    QTest::newRow("full record, all fields empty")
        << 84 << QStringList{}
        << QByteArray("Diametro Stella in metriRapporto Diametro Stella con il Sole "
                      "Magnitudine Assoluta VDimensione angolare in(\xB0)"
                      "Calcolo diametro con dimensione angolareKilometri(B-V)"
                      "Temperatura Stella in KelvinTipo spettrale\r\n");
    QTest::newRow("absolute-magnitude record, all fields empty")
        << 98 << QStringList{} << QByteArray("Magnitudine Assoluta V(B-V)\r\n");
    QTest::newRow("angular-size record, all fields empty")
        << 110 << QStringList{}
        << QByteArray("Dimensione angolare in(\xB0)Calcolo diametro con dimensione angolare"
                      "Kilometri\r\n");
    QTest::newRow("spectral type alone ends the full record")
        << 84 << QStringList{"Text19=G2V"}
        << QByteArray("Diametro Stella in metriRapporto Diametro Stella con il Sole "
                      "Magnitudine Assoluta VDimensione angolare in(\xB0)"
                      "Calcolo diametro con dimensione angolareKilometri(B-V)"
                      "Temperatura Stella in KelvinTipo spettraleG2V\r\n");
    QTest::newRow("comma-locale results keep their commas")
        << 98 << QStringList{"Text5=4,83", "Text10=0,65"}
        << QByteArray("Magnitudine Assoluta V4,83(B-V)0,65\r\n");
    QTest::newRow("typed text is saved as it stands")
        << 110 << QStringList{"Text13= 0.5 gradi ", "Text14=è circa 1E+06"}
        << QByteArray("Dimensione angolare in(\xB0) 0.5 gradi Calcolo diametro con dimensione "
                      "angolare\xE8 circa 1E+06Kilometri\r\n");
    QTest::newRow("fields outside the record are left out")
        << 98 << QStringList{"Text4=1", "Text13=2", "Text19=G2V", "Text5=3", "Text10=4"}
        << QByteArray("Magnitudine Assoluta V3(B-V)4\r\n");
  }

  void records() {
    QFETCH(int, button);
    QFETCH(QStringList, fields);
    QFETCH(QByteArray, expected);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("misura.txt"));
    MemoryFieldStore store;
    seedCaptions(store);
    seedFields(store, fields);
    store.setText(Field::NomeFile, path);
    MemoryFieldStore untouched = store;
    RecordingRuntime runtime;

    runHandler(saveButtons().at(button), store, runtime);

    verifySuccessShownOnce(runtime);
    QCOMPARE(readFile(path).toHex(' '), expected.toHex(' '));
    // A save changes no field and no caption.
    for (Field field : kAllFields) QCOMPARE(store.text(field), untouched.text(field));
    for (const char* caption : {"Label5", "Label7", "Label6", "Label8", "Frame1", "Label19",
                                "Label13", "Label1", "Label20"}) {
      QCOMPARE(store.caption(caption), untouched.caption(caption));
    }
    // Nothing but the file itself is left in the folder.
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{"misura.txt"});
  }

  // The captions are those the window shows at the moment of the save.
  void captionsAreReadWhenSaving() {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("misura.txt"));
    MemoryFieldStore store = sampleWindow(path);
    RecordingRuntime runtime;
    runHandler(Command98_Click, store, runtime);
    QCOMPARE(readFile(path), kAbsoluteSample);
    store.setCaption("Label6", "Mag. assoluta ");
    store.setCaption("Label13", "Indice di colore ");
    runHandler(Command98_Click, store, runtime);
    QCOMPARE(readFile(path), QByteArray("Mag. assoluta 4.83Indice di colore 0.65\r\n"));
  }

  // Each save replaces the whole content: a short record after a long one
  // leaves nothing of the long one.
  void secondSaveReplacesTheFirst_data() {
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("full, then absolute magnitude") << 84 << 98 << kAbsoluteSample;
    QTest::newRow("angular size, then absolute magnitude") << 110 << 98 << kAbsoluteSample;
    QTest::newRow("absolute magnitude, then full") << 98 << 84 << kFullSample;
    QTest::newRow("full twice") << 84 << 84 << kFullSample;
  }

  void secondSaveReplacesTheFirst() {
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(QByteArray, expected);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("misura.txt"));
    MemoryFieldStore store = sampleWindow(path);
    RecordingRuntime runtime;
    runHandler(saveButtons().at(first), store, runtime);
    runHandler(saveButtons().at(second), store, runtime);
    QCOMPARE(runtime.messages.size(), 2);
    QCOMPARE(runtime.messages[1].prompt, QStringLiteral("Salvataggio effettuato!"));
    QCOMPARE(readFile(path).toHex(' '), expected.toHex(' '));
  }

  // The path is NomeFile exactly as typed. Off Windows the starting text
  // C:\.txt names a file of that name in the current folder, and a relative
  // name without .txt is written just the same.
  void pathIsTakenAsTyped_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("created");
    QTest::newRow("the starting text") << "C:\\.txt" << "C:\\.txt";
    QTest::newRow("no extension") << "misura" << "misura";
    QTest::newRow("leading and trailing blanks kept") << " stella.txt " << " stella.txt ";
    QTest::newRow("a subfolder") << "sotto/stella.txt" << "sotto/stella.txt";
  }

  void pathIsTakenAsTyped() {
#ifdef Q_OS_WIN
    QSKIP("on Windows C:\\.txt is a file in the root of drive C:");
#endif
    QFETCH(QString, typed);
    QFETCH(QString, created);
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("sotto")));
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(folder.path()));
    MemoryFieldStore store;
    seedCaptions(store);
    seedFields(store, kSample);
    if (typed != QStringLiteral("C:\\.txt")) store.setText(Field::NomeFile, typed);
    QCOMPARE(store.text(Field::NomeFile), typed);  // a fresh window starts with C:\.txt
    RecordingRuntime runtime;
    runHandler(Command110_Click, store, runtime);
    QDir::setCurrent(previous);
    verifySuccessShownOnce(runtime);
    QCOMPARE(readFile(folder.filePath(created)).toHex(' '), kAngularSample.toHex(' '));
  }

  // Every failure shows the failure box once, creates nothing and leaves
  // every existing file byte for byte as it was.
  void failures_data() {
    QTest::addColumn<QString>("path");  // relative to the test folder, "" for empty
    QTest::addColumn<QString>("spectralType");
    QTest::addColumn<bool>("writeFails");
    const QString g2v = QStringLiteral("G2V");
    QTest::newRow("empty NomeFile") << "" << g2v << false;
    QTest::newRow("folder that does not exist") << "mancante/misura.txt" << g2v << false;
    QTest::newRow("path is a folder") << "cartella" << g2v << false;
    QTest::newRow("path is a folder, with a slash") << "cartella/" << g2v << false;
    QTest::newRow("path under a regular file") << "nota.txt/misura.txt" << g2v << false;
    QTest::newRow("new name ending in a slash") << "nuova.txt/" << g2v << false;
    QTest::newRow("write fails after the open, new file") << "nuova.txt" << g2v << true;
    QTest::newRow("write fails after the open, earlier file") << "misura.txt" << g2v << true;
    QTest::newRow("Greek letter, new file") << "nuova.txt" << "G2V α Cen" << false;
    QTest::newRow("Greek letter, earlier file") << "misura.txt" << "G2V α Cen" << false;
    QTest::newRow("emoji, earlier file") << "misura.txt" << "G2V \U0001F31F" << false;
    QTest::newRow("unassigned code 0x81, earlier file") << "misura.txt" << "G2V\u0081" << false;
  }

  void failures() {
    QFETCH(QString, path);
    QFETCH(QString, spectralType);
    QFETCH(bool, writeFails);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("cartella")));
    writeFile(folder.filePath(QStringLiteral("nota.txt")), "nota\r\n");
    writeFile(folder.filePath(QStringLiteral("misura.txt")), kEarlierRecord);
    const auto before = snapshot(folder.path());
    const int descriptorsBefore = openDescriptors();

    MemoryFieldStore store;
    seedCaptions(store);
    seedFields(store, kSample);
    store.setText(Field::Text19, spectralType);
    store.setText(Field::NomeFile, path.isEmpty() ? QString() : folder.filePath(path));
    RecordingRuntime runtime;
    if (writeFails) {
      // Half the record reaches the file, then the disk is full.
      int writes = 0;
      const ByteWriter halfThenFail = [&writes](QIODevice& file, const QByteArray& bytes) {
        ++writes;
        file.write(bytes.left(bytes.size() / 2));
        return false;
      };
      saveMeasurement(fullRecordItems(), store, runtime, halfThenFail);
      QCOMPARE(writes, 1);  // the open succeeded: the failure came after it
    } else {
      runHandler(Command84_Click, store, runtime);
    }

    verifyFailureShownOnce(runtime);
    QVERIFY(snapshot(folder.path()) == before);
    QCOMPARE(readFile(folder.filePath(QStringLiteral("misura.txt"))).toHex(' '),
             kEarlierRecord.toHex(' '));
    QCOMPARE(openDescriptors(), descriptorsBefore);
  }

  // The same store saves fine once the path or the text is put right: the
  // failures above come from the path or the text, not from the sample.
  void failureIsNotSticky() {
    QTemporaryDir folder;
    MemoryFieldStore store = sampleWindow(QString());
    RecordingRuntime runtime;
    runHandler(Command84_Click, store, runtime);
    store.setText(Field::NomeFile, folder.filePath(QStringLiteral("misura.txt")));
    runHandler(Command84_Click, store, runtime);
    QCOMPARE(runtime.messages.size(), 2);
    QCOMPARE(runtime.messages[0].flags, 16);
    QCOMPARE(runtime.messages[1].flags, 64);
    QCOMPARE(readFile(folder.filePath(QStringLiteral("misura.txt"))), kFullSample);
  }

  // A symbolic link keeps pointing where it did; the file it names gets the
  // record.
  void symbolicLinkIsFollowed() {
#ifndef Q_OS_UNIX
    QSKIP("symbolic links are a Unix test here");
#endif
    QTemporaryDir folder;
    const QString target = folder.filePath(QStringLiteral("vera.txt"));
    const QString link = folder.filePath(QStringLiteral("collegamento.txt"));
    writeFile(target, kEarlierRecord);
    QVERIFY(QFile::link(target, link));
    MemoryFieldStore store = sampleWindow(link);
    RecordingRuntime runtime;
    runHandler(Command98_Click, store, runtime);
    verifySuccessShownOnce(runtime);
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(readFile(target), kAbsoluteSample);
  }

  // A target that is not a regular file is written where it is, never
  // replaced: a pipe receives the record and stays a pipe.
  void pipeReceivesTheRecord() {
#ifndef Q_OS_UNIX
    QSKIP("named pipes are a Unix test here");
#else
    QTemporaryDir folder;
    const QString pipe = folder.filePath(QStringLiteral("tubo"));
    QCOMPARE(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    // A reader that is already there, so opening the pipe to write does not wait.
    const int reader = ::open(QFile::encodeName(pipe).constData(), O_RDONLY | O_NONBLOCK);
    QVERIFY(reader >= 0);
    MemoryFieldStore store = sampleWindow(pipe);
    RecordingRuntime runtime;
    runHandler(Command98_Click, store, runtime);
    char buffer[256];
    const ssize_t received = ::read(reader, buffer, sizeof buffer);
    ::close(reader);
    verifySuccessShownOnce(runtime);
    QCOMPARE(QByteArray(buffer, int(received)), kAbsoluteSample);
    struct stat status {};
    QCOMPARE(::lstat(QFile::encodeName(pipe).constData(), &status), 0);
    QVERIFY(S_ISFIFO(status.st_mode));
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                           QDir::NoDotAndDotDot),
             QStringList{"tubo"});
#endif
  }

  // A device that accepts the open and refuses the write, as a full disk
  // does: the failure box once, the device still a device, no temporary file
  // beside it, nothing left open.
  void fullDevice() {
#ifndef Q_OS_LINUX
    QSKIP("/dev/full is a Linux device");
#else
    const QString device = QStringLiteral("/dev/full");
    if (!QFileInfo::exists(device)) QSKIP("no /dev/full here");
    const QStringList devEntries = QDir("/dev").entryList(QDir::AllEntries | QDir::System);
    const int descriptorsBefore = openDescriptors();
    MemoryFieldStore store = sampleWindow(device);
    RecordingRuntime runtime;
    runHandler(Command84_Click, store, runtime);
    verifyFailureShownOnce(runtime);
    struct stat status {};
    QCOMPARE(::stat("/dev/full", &status), 0);
    QVERIFY(S_ISCHR(status.st_mode));
    QCOMPARE(QDir("/dev").entryList(QDir::AllEntries | QDir::System).filter("full"),
             devEntries.filter("full"));
    QCOMPARE(openDescriptors(), descriptorsBefore);
#endif
  }

  // Only for an ordinary user: a file the user may not write fails and keeps
  // its content; a writable file in a folder where no temporary file can be
  // made is written in place.
  void permissions() {
    if (runningAsRoot()) QSKIP("permissions do not stop root");
    QTemporaryDir folder;
    const QString readOnly = folder.filePath(QStringLiteral("sola-lettura.txt"));
    writeFile(readOnly, kEarlierRecord);
    QVERIFY(QFile::setPermissions(readOnly, QFile::ReadOwner));
    QDir(folder.path()).mkdir(QStringLiteral("chiusa"));
    const QString inClosedFolder = folder.filePath(QStringLiteral("chiusa/misura.txt"));
    writeFile(inClosedFolder, kEarlierRecord);
    QVERIFY(QFile::setPermissions(folder.filePath(QStringLiteral("chiusa")),
                                  QFile::ReadOwner | QFile::ExeOwner));

    MemoryFieldStore store;
    seedCaptions(store);
    seedFields(store, kSample);
    RecordingRuntime runtime;
    store.setText(Field::NomeFile, readOnly);
    runHandler(Command98_Click, store, runtime);
    verifyFailureShownOnce(runtime);
    QCOMPARE(readFile(readOnly), kEarlierRecord);

    runtime.messages.clear();
    store.setText(Field::NomeFile, inClosedFolder);
    runHandler(Command98_Click, store, runtime);
    verifySuccessShownOnce(runtime);
    QCOMPARE(readFile(inClosedFolder), kAbsoluteSample);
    QFile::setPermissions(folder.filePath(QStringLiteral("chiusa")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
};

QTEST_APPLESS_MAIN(MeasurementFileTest)
#include "test_measurement_file.moc"
