// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/file_replacement.h"
#include "storage/windows1252.h"
#include "support/files.h"
#include "support/test_window.h"

#include <QDirIterator>

#include <fcntl.h>
#include <iconv.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>

using namespace vespera;

// The errno the disk answers with when written data is forced out to it, 0 for none. A write
// error that shows only then (a network file system, EIO at writeback) cannot be had from a
// local disk, so fsync is stood in for here, for the program's calls and Qt's alike.
namespace {
int& diskSyncError() {
  static int error = 0;
  return error;
}
}  // namespace
// NOLINTNEXTLINE(readability-inconsistent-declaration-parameter-name): glibc's name is reserved
extern "C" int fsync(int descriptor) {
  if (diskSyncError() != 0) return errno = diskSyncError(), -1;
  return int(syscall(SYS_fsync, descriptor));
}

namespace {

const QByteArray kEarlierRecord = "Magnitudine Assoluta V1(B-V)2\r\n";

// The sample measurement: the texts a user has in the boxes the records take.
void typeSample(TestWindow& window) {
  const std::pair<Field, const char*> sample[] = {{Field::DiameterMetres, "1391000000"},
                                                  {Field::DiameterToSun, "1"},
                                                  {Field::AbsoluteMagnitude, "4.83"},
                                                  {Field::AngleDegrees, "0.533"},
                                                  {Field::AngularDiameterKilometres, "1391000"},
                                                  {Field::ColourIndex, "0.65"},
                                                  {Field::TemperatureKelvin, "5800"},
                                                  {Field::SpectralType, "G2V"}};
  for (const auto& [field, text] : sample) window.type(field, QString::fromLatin1(text));
}

// Every file under a folder with its bytes, and every folder and pipe (never opened).
QMap<QString, QByteArray> contents(const QString& folder) {
  QMap<QString, QByteArray> found;
  QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QFileInfo entry = it.nextFileInfo();
    found[entry.filePath()] = entry.isFile() ? readFile(entry.filePath()) : "(not a file)";
  }
  return found;
}

qsizetype openDescriptors() {
  return QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::AllEntries | QDir::System).size();
}

}  // namespace

class MeasurementFileTest : public QObject {
  Q_OBJECT

 private slots:
  // Each save button replaces the file with its one line, built from the window's own
  // captions, in Windows-1252, and says so; into a pipe, the line goes to its reader.
  void records_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QByteArray>("record");
    QTest::newRow("full") << "Command84"
                          << QByteArray(
                                 "Diametro Stella in metri1391000000Rapporto Diametro Stella "
                                 "con il Sole 1Magnitudine Assoluta V4.83Dimensione "
                                 "angolare in(\xB0)0.533Calcolo diametro con dimensione "
                                 "angolare1391000Kilometri(B-V)0.65Temperatura Stella in "
                                 "Kelvin5800Tipo spettraleG2V\r\n");
    QTest::newRow("absolute magnitude")
        << "Command98" << QByteArray("Magnitudine Assoluta V4.83(B-V)0.65\r\n");
    QTest::newRow("angular size") << "Command110"
                                  << QByteArray(
                                         "Dimensione angolare in(\xB0)0.533Calcolo diametro "
                                         "con dimensione angolare1391000Kilometri\r\n");
  }

  void records() {
    QFETCH(QString, button);
    QFETCH(QByteArray, record);
    TestWindow window;
    const QString path = window.folder.filePath("misura.txt"), pipe = window.folder.filePath("p");
    QVERIFY(writeFile(path, kEarlierRecord) && mkfifo(qPrintable(pipe), 0600) == 0);
    const int reader = open(qPrintable(pipe), O_RDONLY | O_NONBLOCK);
    typeSample(window);
    for (const QString& target : {path, pipe}) {
      window.type(Field::FileName, target);
      window.press(button);
    }
    QByteArray piped(4096, '\0');
    piped.resize(std::max(read(reader, piped.data(), piped.size()), ssize_t(0)));
    close(reader);
    QCOMPARE(readFile(path) + piped, record + record);
    QCOMPARE(window.runtime.messages.size(), 2u);
    for (const auto& message : window.runtime.messages) {
      QCOMPARE(qs(message.prompt), QStringLiteral("Salvataggio effettuato!"));
      QCOMPARE(message.flags, int(kInformationIcon));
      QCOMPARE(qs(message.title), QStringLiteral("Salva"));
    }
  }

  // A save that cannot be made says so at once, and leaves every file as it was: no
  // temporary file beside it, nothing half written, no file left open.
  void failures_data() {
    QTest::addColumn<QString>("name");  // in the test's folder: earlier.txt, dir and a pipe
    QTest::addColumn<QString>("spectralType");
    QTest::addColumn<rlim_t>("fileSizeLimit");
    QTest::addColumn<int>("syncError");
    const rlim_t none = RLIM_INFINITY;
    const rlim_t full = 20;
    // clang-format off
    QTest::newRow("empty name")             << ""                       << "G2V"    << none << 0;
    QTest::newRow("missing folder")         << "missing/misura.txt"     << "G2V"    << none << 0;
    QTest::newRow("a folder")               << "dir"                    << "G2V"    << none << 0;
    QTest::newRow("a pipe nobody reads")    << "pipe"                   << "G2V"    << none << 0;
    QTest::newRow("under a file")           << "earlier.txt/misura.txt" << "G2V"    << none << 0;
    QTest::newRow("no Windows-1252 byte")   << "earlier.txt"            << "\u03B1" << none << 0;
    QTest::newRow("disk full at the flush") << "earlier.txt"            << "G2V"    << full << 0;
    QTest::newRow("disk error at the sync") << "earlier.txt"            << "G2V"    << none << EIO;
    // clang-format on
  }

  void failures() {
    QFETCH(QString, name);
    QFETCH(QString, spectralType);
    QFETCH(rlim_t, fileSizeLimit);
    QFETCH(int, syncError);
    TestWindow window;
    const QString folder = window.folder.path();
    QVERIFY(writeFile(folder + QStringLiteral("/earlier.txt"), kEarlierRecord));
    QVERIFY(QDir(folder).mkdir("dir") && mkfifo(qPrintable(folder + "/pipe"), 0600) == 0);
    typeSample(window);
    window.type(Field::SpectralType, spectralType);
    window.type(Field::FileName, name.isEmpty() ? name : folder + u'/' + name);
    const auto before = contents(folder);
    const qsizetype descriptors = openDescriptors();

    // A file may not grow beyond the limit, as on a disk with that much room left.
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlim_t unlimited = limit.rlim_cur;
    limit.rlim_cur = fileSizeLimit;
    std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
    diskSyncError() = syncError;
    alarm(20);  // a save that hangs ends the test
    window.press(QStringLiteral("Command84"));
    alarm(0);
    diskSyncError() = 0;
    limit.rlim_cur = unlimited;
    setrlimit(RLIMIT_FSIZE, &limit);

    QCOMPARE(contents(folder), before);
    QCOMPARE(openDescriptors(), descriptors);
    QCOMPARE(window.runtime.messages.size(), 1u);
    QCOMPARE(qs(window.runtime.messages[0].prompt),
             QStringLiteral("Si \u00E8 verificato un errore nel salvataggio."));
    QCOMPARE(window.runtime.messages[0].flags, int(kCriticalIcon));
    QCOMPARE(qs(window.runtime.messages[0].title), QStringLiteral("Salva"));
  }

  // In a folder where the user may rewrite the file but create nothing beside it, the file
  // is written in place, also through a link in a folder that takes new files; a write
  // that fails there (a file size limit, the sync) puts the earlier bytes back. Root may
  // create files anywhere, so the save runs in a child process that gives up root first.
  void writesInPlaceWhereNoTemporaryFileCanBeMade() {
    const QByteArray longer = "a new record, longer than the earlier\r\n";
    // clang-format off
    const struct { const char* path; rlim_t fileSizeLimit; int syncError; } cases[] = {
        {"locked/misura.txt", RLIM_INFINITY, 0}, {"link.txt", RLIM_INFINITY, 0},
        {"locked/misura.txt", rlim_t(kEarlierRecord.size() + 2), 0},
        {"link.txt", RLIM_INFINITY, EIO}};
    // clang-format on
    for (const auto& c : cases) {
      QTemporaryDir temp;
      const QString folder = temp.filePath(QStringLiteral("locked"));
      const QString path = folder + QStringLiteral("/misura.txt");
      QVERIFY(QDir().mkdir(folder) && writeFile(path, kEarlierRecord));
      QVERIFY(QFile::link(path, temp.filePath(QStringLiteral("link.txt"))));
      const uid_t nobody = 65534;
      const bool root = geteuid() == 0;
      QVERIFY(!root || chown(path.toLocal8Bit(), nobody, nobody) == 0);
      QVERIFY(chmod(temp.path().toLocal8Bit(), 0777) == 0 &&
              chmod(folder.toLocal8Bit(), 0555) == 0);
      const pid_t child = fork();
      if (child == 0) {
        if (root && (setgid(nobody) != 0 || setuid(nobody) != 0)) _exit(2);
        const rlimit limit{c.fileSizeLimit, RLIM_INFINITY};
        std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &limit);
        diskSyncError() = c.syncError;
        _exit(writeRecordFile(temp.filePath(c.path).toStdString(), longer.toStdString()) ? 0 : 1);
      }
      int status = -1;
      QCOMPARE(waitpid(child, &status, 0), child);
      chmod(folder.toLocal8Bit(), 0755);
      const bool done = c.fileSizeLimit == RLIM_INFINITY && c.syncError == 0;
      QVERIFY2(WEXITSTATUS(status) == (done ? 0 : 1), c.path);
      QCOMPARE(readFile(path), done ? longer : kEarlierRecord);
      QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("misura.txt")});
      QCOMPARE(QDir(temp.path()).entryList(QDir::Files), QStringList{QStringLiteral("link.txt")});
    }
  }

  // Each character is written as the byte the C library's iconv gives it in Windows-1252, or
  // refused where iconv has none; bytes that are not UTF-8 are refused.
  void windows1252AgreesWithIconv() {
    iconv_t toWindows1252 = iconv_open("WINDOWS-1252", "UTF-32LE");
    QVERIFY(toWindows1252 != iconv_t(-1));  // NOLINT(performance-no-int-to-ptr): iconv's failure
    for (char32_t code = 0; code <= 0x1FFFF; ++code) {
      if (code >= 0xD800 && code <= 0xDFFF) continue;  // no character, and no UTF-8 form
      char in[4] = {char(code & 0xFF), char((code >> 8) & 0xFF), char(code >> 16), 0};
      char out[4] = {};
      char* inAt = in;
      char* outAt = out;
      size_t inLeft = sizeof in, outLeft = sizeof out;
      iconv(toWindows1252, nullptr, nullptr, nullptr, nullptr);
      // (iconv takes U+FEFF at the start for a byte order mark and writes nothing.)
      const bool hasByte =
          iconv(toWindows1252, &inAt, &inLeft, &outAt, &outLeft) == 0 && outAt == out + 1;
      const auto ours =
          encodeWindows1252(QStringView(QChar::fromUcs4(code)).toUtf8().toStdString());
      QVERIFY2(ours.has_value() == hasByte && (!hasByte || *ours == std::string(out, 1)),
               qPrintable(QString::number(code, 16)));
    }
    iconv_close(toWindows1252);
    for (const char* notUtf8 : {"\x80", "\xC3", "\xC3(", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80",
                                "\xF4\x90\x80\x80", "\xF8\x88\x80\x80\x80"}) {
      QVERIFY2(!encodeWindows1252(notUtf8), notUtf8);
    }
  }
};

QTEST_MAIN(MeasurementFileTest)
#include "test_measurement_file.moc"
