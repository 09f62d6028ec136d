#include "platform/launcher.h"

#include "core/runtime_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

using namespace vespera;

namespace {

// The helper program built beside this test (tests/helpers/launch_marker.cpp).
const QString kHelper = QStringLiteral(VESPERA_LAUNCH_MARKER);

QByteArray readAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class LauncherTest : public QObject {
  Q_OBJECT

 private slots:
  // The helper, copied under a folder and a file name of the row, is started by
  // its path: it runs as one program with no arguments, start() returns while
  // it still runs, and nothing in the path reaches a shell.
  void startsByPath_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("program");
    QTest::newRow("plain") << QStringLiteral("tool") << QStringLiteral("sysinfo");
    QTest::newRow("blanks") << QStringLiteral("Program Files/System Tools")
                            << QStringLiteral("system info");
    QTest::newRow("shell characters")
        << QStringLiteral("a;touch injected-1;b & touch injected-2 &")
        << QStringLiteral("$HOME $(touch injected-3) `touch injected-4`; 'q' &x");
#ifndef Q_OS_WIN
    QTest::newRow("double quotes") << QStringLiteral("say \"hello\"")
                                   << QStringLiteral("\" ; touch injected-5 ; \"");
#endif
  }

  void startsByPath() {
    QFETCH(QString, folder);
    QFETCH(QString, program);
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    // A shell would create its injected files here.
    const QString previousDirectory = QDir::currentPath();
    QVERIFY(QDir::setCurrent(temp.path()));
    const auto restore = qScopeGuard([&] { QDir::setCurrent(previousDirectory); });

    const QString dir = temp.filePath(folder);
    QVERIFY(QDir().mkpath(dir));
    QString path = dir + QLatin1Char('/') + program;
#ifdef Q_OS_WIN
    path += QStringLiteral(".exe");
#endif
    QVERIFY2(QFile::copy(kHelper, path), qPrintable(kHelper));
    const QString started = dir + QStringLiteral("/started.txt");
    const QString finished = dir + QStringLiteral("/finished.txt");

    SystemLauncher launcher;
    launcher.start(path);
    // Not waited for: the helper lives 1.5 s after it starts.
    QVERIFY(!QFileInfo::exists(finished));

    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(started) && readAll(started).count('\n') == 2,
                             10000);
    const QList<QByteArray> lines = readAll(started).split('\n');
    QCOMPARE(lines[0], QByteArray("0"));  // no arguments
    QCOMPARE(QFileInfo(QString::fromUtf8(lines[1])).canonicalFilePath(),
             QFileInfo(path).canonicalFilePath());
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(finished), 10000);

    const QStringList injected =
        QDir(temp.path()).entryList({QStringLiteral("injected*")}, QDir::AllEntries);
    QVERIFY2(injected.isEmpty(), qPrintable(injected.join(QLatin1Char(' '))));
  }

  // What cannot be started is an error in Italian, not a crash or a silent nothing.
  void refuses_data() {
    QTest::addColumn<QString>("inTemporaryFolder");  // the path, under a fresh folder
    QTest::addColumn<bool>("empty");
    QTest::newRow("missing program") << QStringLiteral("does not exist/MSINFO32.EXE") << false;
    QTest::newRow("a folder") << QStringLiteral("") << false;
    QTest::newRow("empty path") << QString() << true;
  }

  void refuses() {
    QFETCH(QString, inTemporaryFolder);
    QFETCH(bool, empty);
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const QString path = empty ? QString() : QDir::cleanPath(temp.filePath(inTemporaryFolder));
    SystemLauncher launcher;
    try {
      launcher.start(path);
      QFAIL("started what cannot be started");
    } catch (const RuntimeError& error) {
      QVERIFY2(error.message().startsWith(QStringLiteral("Errore di run-time: ")),
               qPrintable(error.message()));
      QVERIFY(error.message().contains(path));
    }
  }
};

QTEST_GUILESS_MAIN(LauncherTest)
#include "test_launcher.moc"
