#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "core/recording_runtime.h"
#include "platform/memory_registry.h"
#include "platform/registry_value.h"
#include "platform/system_info.h"
#include "platform/system_registry.h"

using namespace vespera;

namespace {

const std::string kMsinfo = kMsinfoKey;
const std::string kLocation = kSharedToolsLocationKey;

std::string bytes(const QByteArray& data) { return std::string(data.constData(), data.size()); }

// Remembers what it was asked to start, or refuses like a program that cannot run.
class RecordingLauncher : public Launcher {
 public:
  void start(const QString& programPath) override {
    if (fails) throw RuntimeError(QStringLiteral("Errore di run-time: impossibile avviare"));
    started.append(programPath);
  }
  QStringList started;
  bool fails = false;
};

// How the value under test is stored for GetKeyValue.
enum class Stored { Value, KeyWithoutValue, NoKey, KeyDeniesWriting };

// A folder for the second registry key: with MSINFO32.EXE as a file, as a
// folder of that name, or without it.
enum class ToolFolder { None, WithTool, WithoutTool, ToolIsFolder, WithToolBackslashed };

}  // namespace

Q_DECLARE_METATYPE(Stored)
Q_DECLARE_METATYPE(ToolFolder)

class RegistryTest : public QObject {
  Q_OBJECT

 private slots:
  // The in-memory registry answers RegQueryValueExA's way: sizes in bytes, the
  // terminating 0 counted when it is stored, ERROR_MORE_DATA with the size needed.
  void memoryQuery_data() {
    QTest::addColumn<uint>("type");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<uint>("bufferSize");
    QTest::addColumn<int>("result");
    QTest::addColumn<uint>("size");
    QTest::newRow("string with its 0") << 1u << QByteArray("abc", 4) << 16u << 0 << 4u;
    QTest::newRow("string without its 0") << 1u << QByteArray("abc") << 16u << 0 << 3u;
    QTest::newRow("value of 0 bytes") << 1u << QByteArray() << 16u << 0 << 0u;
    QTest::newRow("number") << 4u << QByteArray("\x78\x56\x34\x12", 4) << 16u << 0 << 4u;
    QTest::newRow("exactly the buffer") << 3u << QByteArray(16, 'x') << 16u << 0 << 16u;
    QTest::newRow("longer than the buffer") << 1u << QByteArray(17, 'x') << 16u << 234 << 17u;
  }

  void memoryQuery() {
    QFETCH(uint, type);
    QFETCH(QByteArray, stored);
    QFETCH(uint, bufferSize);
    QFETCH(int, result);
    QFETCH(uint, size);
    MemoryRegistry registry;
    registry.setValue(kHkeyLocalMachine, "Software\\Test", "Value", type, bytes(stored));

    RegistryHandle key = 0;
    QCOMPARE(registry.openKey(predefinedKey(kHkeyLocalMachine), "SOFTWARE\\TEST", 0,
                              kAboutBoxKeyAccess, key),
             int(kRegistrySuccess));
    QByteArray buffer(int(bufferSize), '\xAA');
    std::uint32_t gotType = 99;
    std::uint32_t gotSize = bufferSize;
    QCOMPARE(registry.queryValue(key, "value", gotType,
                                 reinterpret_cast<std::uint8_t*>(buffer.data()), gotSize),
             result);
    QCOMPARE(gotSize, size);
    if (result == kRegistrySuccess) {
      QCOMPARE(gotType, type);
      QCOMPARE(buffer.left(int(size)), stored);
    }
    // Type and size only, with no buffer.
    gotSize = 0;
    QCOMPARE(registry.queryValue(key, "Value", gotType, nullptr, gotSize), int(kRegistrySuccess));
    QCOMPARE(gotSize, std::uint32_t(stored.size()));
    QCOMPARE(registry.closeKey(key), int(kRegistrySuccess));
    QCOMPARE(registry.openHandleCount(), 0);
  }

  // Opening and closing keys: the result codes the About box can meet.
  void memoryOpen() {
    MemoryRegistry registry;
    registry.setString(kHkeyLocalMachine, kMsinfo, "PATH", "x");
    registry.denyWriteAccess(kHkeyLocalMachine, kLocation);
    const RegistryHandle root = predefinedKey(kHkeyLocalMachine);
    RegistryHandle key = 12345;

    QCOMPARE(registry.openKey(root, "SOFTWARE\\Missing", 0, kKeyQueryValue, key),
             int(kRegistryFileNotFound));
    QCOMPARE(key, RegistryHandle(0));
    // The same path under another root is another key.
    QCOMPARE(registry.openKey(predefinedKey(kHkeyCurrentUser), kMsinfo, 0, kKeyQueryValue, key),
             int(kRegistryFileNotFound));
    QCOMPARE(registry.openKey(RegistryHandle(0x4242), kMsinfo, 0, kKeyQueryValue, key),
             int(kRegistryInvalidHandle));
    QCOMPARE(registry.openKey(root, kLocation, 0, kAboutBoxKeyAccess, key),
             int(kRegistryAccessDenied));
    QCOMPARE(registry.openKey(root, kLocation, 0, kKeyQueryValue | kReadControl, key),
             int(kRegistrySuccess));
    QCOMPARE(registry.closeKey(key), int(kRegistrySuccess));
    QCOMPARE(registry.closeKey(key), int(kRegistryInvalidHandle));

    // Keys above a value exist; a sub-key opens relative to an open key.
    RegistryHandle software = 0;
    QCOMPARE(registry.openKey(root, "software", 0, kKeyQueryValue, software),
             int(kRegistrySuccess));
    RegistryHandle msinfo = 0;
    QCOMPARE(
        registry.openKey(software, "microsoft\\SHARED TOOLS\\msinfo", 0, kKeyQueryValue, msinfo),
        int(kRegistrySuccess));
    QVERIFY(msinfo != software);
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    QCOMPARE(registry.queryValue(msinfo, "Missing", type, nullptr, size),
             int(kRegistryFileNotFound));
    QCOMPARE(registry.queryValue(msinfo, "path", type, nullptr, size), int(kRegistrySuccess));
    QCOMPARE(size, 2u);
    QCOMPARE(registry.openHandleCount(), 2);
    registry.closeKey(msinfo);
    registry.closeKey(software);
    QCOMPARE(registry.openHandleCount(), 0);
  }

  void getKeyValue_data() {
    QTest::addColumn<Stored>("stored");
    QTest::addColumn<uint>("type");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QByteArray>("keyValOnEntry");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QByteArray>("keyVal");
    const QByteArray before("before");
    const QByteArray path("C:\\WINDOWS\\system32\\msinfo32.exe");

    QTest::newRow("string with its 0 loses exactly that 0")
        << Stored::Value << 1u << path + '\0' << before << true << path;
    QTest::newRow("string without its 0 is kept whole")
        << Stored::Value << 1u << path << before << true << path;
    QTest::newRow("string with two 0s loses one") << Stored::Value << 1u << QByteArray("abc\0\0", 5)
                                                  << before << true << QByteArray("abc\0", 4);
    QTest::newRow("empty string with its 0")
        << Stored::Value << 1u << QByteArray(1, '\0') << before << true << QByteArray();
    QTest::newRow("number") << Stored::Value << 4u << QByteArray("\x78\x56\x34\x12", 4) << before
                            << true << QByteArray("&h12345678");
    QTest::newRow("number with a high bit")
        << Stored::Value << 4u << QByteArray("\x01\x00\x00\x80", 4) << before << true
        << QByteArray("&h80000001");
    QTest::newRow("binary value leaves KeyVal as it was")
        << Stored::Value << 3u << QByteArray("\x01\x02", 2) << before << true << before;
    QTest::newRow("expandable string leaves KeyVal as it was")
        << Stored::Value << 2u << QByteArray("%windir%", 9) << before << true << before;
    QTest::newRow("1024 bytes fill the buffer")
        << Stored::Value << 1u << QByteArray(1023, 'x') + '\0' << before << true
        << QByteArray(1023, 'x');
    QTest::newRow("1024 characters without a 0")
        << Stored::Value << 1u << QByteArray(1024, 'y') << before << true << QByteArray(1024, 'y');
    QTest::newRow("longer than 1024 bytes is not read")
        << Stored::Value << 1u << QByteArray(1024, 'x') + '\0' << before << false << QByteArray();
    QTest::newRow("missing value")
        << Stored::KeyWithoutValue << 1u << path << before << false << QByteArray();
    QTest::newRow("missing key") << Stored::NoKey << 1u << path << before << false << QByteArray();
    QTest::newRow("key that refuses the rights asked for")
        << Stored::KeyDeniesWriting << 1u << path << before << false << QByteArray();
  }

  void getKeyValue() {
    QFETCH(Stored, stored);
    QFETCH(uint, type);
    QFETCH(QByteArray, value);
    QFETCH(QByteArray, keyValOnEntry);
    QFETCH(bool, result);
    QFETCH(QByteArray, keyVal);

    MemoryRegistry registry;
    if (stored == Stored::KeyWithoutValue) {
      registry.setValue(kHkeyLocalMachine, kMsinfo, "OTHER", type, bytes(value));
    } else if (stored != Stored::NoKey) {
      registry.setValue(kHkeyLocalMachine, kMsinfo, "PATH", type, bytes(value));
    }
    if (stored == Stored::KeyDeniesWriting) registry.denyWriteAccess(kHkeyLocalMachine, kMsinfo);

    std::uint32_t root = kHkeyLocalMachine;
    std::string keyName = kMsinfo;
    std::string valueName = "PATH";
    std::string text = bytes(keyValOnEntry);
    QCOMPARE(GetKeyValue(registry, root, keyName, valueName, text), result);
    QCOMPARE(QByteArray(text.data(), qsizetype(text.size())), keyVal);
    QCOMPARE(registry.openHandleCount(), 0);
  }

  // A value of 0 bytes has no text to take: a run-time error, and the key is still closed.
  void getKeyValueOfZeroBytes() {
    MemoryRegistry registry;
    registry.setValue(kHkeyLocalMachine, kMsinfo, "PATH", kRegistryString, std::string());
    std::uint32_t root = kHkeyLocalMachine;
    std::string keyName = kMsinfo;
    std::string valueName = "PATH";
    std::string text = "before";
    QVERIFY_THROWS_EXCEPTION(RegistryValueError,
                             GetKeyValue(registry, root, keyName, valueName, text));
    QCOMPARE(registry.openHandleCount(), 0);
  }

  void startSysInfo_data() {
    QTest::addColumn<QByteArray>("firstPath");  // null: no first key
    QTest::addColumn<bool>("firstIsEmptyValue");
    QTest::addColumn<ToolFolder>("folder");
    QTest::addColumn<bool>("launcherFails");
    QTest::addColumn<QString>("started");  // "<folder>" stands for the tool in the folder
    const QByteArray path("C:\\Programmi\\File comuni\\Microsoft Shared\\MSInfo\\msinfo32.exe");
    const QString inFolder = QStringLiteral("<folder>");

    QTest::newRow("first key: started unchanged, unchecked, second not read")
        << path << false << ToolFolder::WithTool << false << QString::fromLatin1(path);
    QTest::newRow("second key: the folder holds the tool")
        << QByteArray() << false << ToolFolder::WithTool << false << inFolder;
    QTest::newRow("second key written with backslashes")
        << QByteArray() << false << ToolFolder::WithToolBackslashed << false << inFolder;
    QTest::newRow("second key: folder without the tool")
        << QByteArray() << false << ToolFolder::WithoutTool << false << QString();
    QTest::newRow("second key: MSINFO32.EXE is a folder")
        << QByteArray() << false << ToolFolder::ToolIsFolder << false << QString();
    QTest::newRow("neither key") << QByteArray() << false << ToolFolder::None << false << QString();
    QTest::newRow("first value of 0 bytes is an error, second not tried")
        << QByteArray("") << true << ToolFolder::WithTool << false << QString();
    QTest::newRow("the program cannot be started")
        << path << false << ToolFolder::None << true << QString();
    QTest::newRow("second key: the tool cannot be started")
        << QByteArray() << false << ToolFolder::WithTool << true << QString();
  }

  void startSysInfo() {
    QFETCH(QByteArray, firstPath);
    QFETCH(bool, firstIsEmptyValue);
    QFETCH(ToolFolder, folder);
    QFETCH(bool, launcherFails);
    QFETCH(QString, started);

    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const QString toolFolder = temp.filePath(QStringLiteral("MSInfo folder"));
    QVERIFY(QDir().mkpath(toolFolder));
    const QString tool = toolFolder + QStringLiteral("/MSINFO32.EXE");
    if (folder == ToolFolder::WithTool || folder == ToolFolder::WithToolBackslashed) {
      QFile file(tool);
      QVERIFY(file.open(QIODevice::WriteOnly));
    } else if (folder == ToolFolder::ToolIsFolder) {
      QVERIFY(QDir().mkpath(tool));
    }

    MemoryRegistry registry;
    if (firstIsEmptyValue) {
      registry.setValue(kHkeyLocalMachine, kMsinfo, "PATH", kRegistryString, std::string());
    } else if (!firstPath.isNull()) {
      registry.setString(kHkeyLocalMachine, kMsinfo, "PATH", bytes(firstPath));
    }
    if (folder != ToolFolder::None) {
      QString value = toolFolder;
      if (folder == ToolFolder::WithToolBackslashed)
        value.replace(QLatin1Char('/'), QLatin1Char('\\'));
      registry.setString(kHkeyLocalMachine, kLocation, "MSINFO", value.toLocal8Bit().toStdString());
    }
    RecordingLauncher launcher;
    launcher.fails = launcherFails;
    RecordingRuntime runtime;

    StartSysInfo(registry, launcher, runtime);

    QCOMPARE(registry.openHandleCount(), 0);
    if (started.isEmpty()) {
      QVERIFY(launcher.started.isEmpty());
      QCOMPARE(runtime.messages.size(), 1);
      QCOMPARE(runtime.messages[0].prompt,
               QStringLiteral("Le informazioni sul sistema non sono attualmente disponibili."));
      QCOMPARE(runtime.messages[0].flags, 0);
      QCOMPARE(runtime.messages[0].title, QStringLiteral("Vespera 3.3"));
    } else {
      QVERIFY2(runtime.messages.isEmpty(), qPrintable(runtime.messages.value(0).prompt));
      QCOMPARE(launcher.started.size(), 1);
      const QString expected = started == QStringLiteral("<folder>") ? tool : started;
      QCOMPARE(QDir::fromNativeSeparators(launcher.started[0]), expected);
    }
    QVERIFY(runtime.errors.isEmpty());
  }

#ifndef Q_OS_WIN
  // Without a system registry the program offers the first system-information
  // program it finds, under the key the About box reads first.
  void systemRegistry_data() {
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QString>("offered");
    QTest::newRow("none") << QStringList() << QString();
    QTest::newRow("an unrelated program") << QStringList{"top"} << QString();
    QTest::newRow("gnome-system-monitor")
        << QStringList{"gnome-system-monitor"} << QStringLiteral("gnome-system-monitor");
    QTest::newRow("kinfocenter before gnome-system-monitor")
        << QStringList{"gnome-system-monitor", "kinfocenter"} << QStringLiteral("kinfocenter");
    QTest::newRow("hardinfo2 before hardinfo")
        << QStringList{"hardinfo", "hardinfo2", "kinfocenter"} << QStringLiteral("hardinfo2");
  }

  void systemRegistry() {
    QFETCH(QStringList, installed);
    QFETCH(QString, offered);
    QTemporaryDir bin;
    QVERIFY(bin.isValid());
    for (const QString& name : installed) {
      QFile program(bin.filePath(name));
      QVERIFY(program.open(QIODevice::WriteOnly));
      program.write("#!/bin/sh\n");
      QVERIFY(program.setPermissions(program.permissions() | QFileDevice::ExeOwner |
                                     QFileDevice::ExeGroup | QFileDevice::ExeOther));
    }

    const auto registry = createSystemRegistry({bin.path()});
    RecordingLauncher launcher;
    RecordingRuntime runtime;
    StartSysInfo(*registry, launcher, runtime);
    if (offered.isEmpty()) {
      QVERIFY(launcher.started.isEmpty());
      QCOMPARE(runtime.messages.size(), 1);
    } else {
      QCOMPARE(launcher.started, QStringList{bin.filePath(offered)});
      QVERIFY(runtime.messages.isEmpty());
    }
  }
#endif
};

QTEST_GUILESS_MAIN(RegistryTest)
#include "test_registry.moc"
