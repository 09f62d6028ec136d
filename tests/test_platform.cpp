// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/system_info.h"
#include "support/files.h"
#include "support/test_window.h"

using namespace vespera;

class PlatformTest : public QObject {
  Q_OBJECT

 private slots:
  // System Info: the tool the first key names, as it stands; else MSINFO32.EXE in the folder
  // the second key names, when it is there; else, and on any error, one message.
  void startSysInfo_data() {
    QTest::addColumn<QString>("path");      // the first key's value; "-" for none
    QTest::addColumn<QString>("folder");    // the second key's value; "-" for none
    QTest::addColumn<QString>("toolFile");  // made in the test's folder
    QTest::addColumn<bool>("refuses");
    QTest::addColumn<QString>("started");  // "" when the message comes instead
    // clang-format off
    QTest::newRow("path, not looked for")    << "/nowhere/info tool" << "-" << ""              << false << "/nowhere/info tool";
    QTest::newRow("folder with the tool")    << "-"                  << "@" << "MSINFO32.EXE"  << false << "@/MSINFO32.EXE";
    QTest::newRow("folder without the tool") << "-"                  << "@" << "msinfo32.txt"  << false << "";
    QTest::newRow("tool is a folder")        << "-"                  << "@" << "MSINFO32.EXE/" << false << "";
    QTest::newRow("no keys")                 << "-"                  << "-" << ""              << false << "";
    QTest::newRow("tool does not start")     << "/nowhere/info tool" << "-" << ""              << true  << "";
    QTest::newRow("path of no bytes")        << "\x01"                << "@" << "MSINFO32.EXE"  << false << "";
    // clang-format on
  }

  void startSysInfo() {
    QFETCH(QString, path);
    QFETCH(QString, folder);
    QFETCH(QString, toolFile);
    QFETCH(bool, refuses);
    QFETCH(QString, started);
    QTemporaryDir temp;
    const auto here = [&](QString text) { return text.replace(u'@', temp.path()); };
    if (toolFile.endsWith(u'/')) QVERIFY(QDir(temp.path()).mkdir(toolFile));
    else if (!toolFile.isEmpty()) QVERIFY(writeFile(temp.filePath(toolFile), "tool"));
    MemoryRegistry registry;
    if (path == QLatin1String("\x01"))
      registry.setValue(kHkeyLocalMachine, kMsinfoKey, "PATH", kRegistryString, "");
    else if (path != QLatin1String("-"))
      registry.setString(kHkeyLocalMachine, kMsinfoKey, "PATH", path.toStdString());
    if (folder != QLatin1String("-")) {
      registry.setString(kHkeyLocalMachine, kSharedToolsLocationKey, "MSINFO",
                         here(folder).toStdString());
    }
    RecordingLauncher launcher;
    launcher.refuses = refuses;
    RecordingRuntime runtime;
    StartSysInfo(registry, launcher, runtime);

    QCOMPARE(launcher.started, started.isEmpty() ? QStringList() : QStringList{here(started)});
    QCOMPARE(runtime.messages.size(), started.isEmpty() ? 1u : 0u);
    for (const auto& message : runtime.messages) {
      QCOMPARE(qs(message.prompt),
               QStringLiteral("Le informazioni sul sistema non sono attualmente disponibili."));
      QCOMPARE(message.flags, int(kNoIcon));
      QCOMPARE(qs(message.title), QStringLiteral("Vespera 3.3"));
    }
  }

  // A program is started by its path alone: blanks and shell characters are part of the
  // name, it gets no arguments, and it is not waited for.
  void launchesByPathWithoutAShell() {
    QTemporaryDir temp;
    const QString folder = temp.filePath(QStringLiteral("a;touch injected & b $(touch injected)"));
    QVERIFY(QDir().mkpath(folder));
    const QString program = folder + QStringLiteral("/system info `touch injected` 'q' \"x\"");
    QVERIFY(writeFile(program,
                      "#!/bin/sh\necho $# > \"$0.started\"\nsleep 2\n"
                      "echo done > \"$0.finished\"\n"));
    QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner));
    const QString current = QDir::currentPath();
    QDir::setCurrent(temp.path());
    SystemLauncher().start(program);
    QDir::setCurrent(current);
    QVERIFY(!QFile::exists(program + QStringLiteral(".finished")));
    QTRY_VERIFY_WITH_TIMEOUT(QFile(program + QStringLiteral(".started")).size() > 0, 10000);
    QFile started(program + QStringLiteral(".started"));
    QVERIFY(started.open(QIODevice::ReadOnly));
    QCOMPARE(started.readAll(), QByteArray("0\n"));
    QVERIFY(QDir(temp.path()).entryList({QStringLiteral("injected*")}).isEmpty());
    QVERIFY_THROWS_EXCEPTION(RuntimeError, SystemLauncher().start(temp.filePath("missing")));
  }

  void noDefaultPrinter() {
    SystemPrinter printer([] { return QPrinterInfo(); });
    try {
      printer.printImage(QImage(10, 10, QImage::Format_RGB32));
      QFAIL("printed with no printer");
    } catch (const RuntimeError& error) {
      QCOMPARE(qs(error.message()),
               QStringLiteral("Errore di run-time: nessuna stampante predefinita disponibile"));
    }
  }
};

QTEST_MAIN(PlatformTest)
#include "test_platform.moc"
