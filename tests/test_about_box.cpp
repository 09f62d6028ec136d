#include "ui/about_box.h"

#include "core/recording_runtime.h"
#include "platform/memory_registry.h"
#include "platform/system_info.h"
#include "ui/app_icon.h"

#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

using namespace vespera;

namespace {

class RecordingLauncher : public Launcher {
 public:
  void start(const QString& programPath) override { started.append(programPath); }
  QStringList started;
};

enum class CloseBy { OkButton, Enter, Escape, CloseBox };

// What the menu does: a new box, no owner, shown modeless.
AboutBox* openAboutBox(Registry& registry, Launcher& launcher, Runtime& runtime) {
  auto* box = new AboutBox(registry, launcher, runtime);
  box->show();
  return box;
}

template <typename T>
T* child(QWidget* box, const char* name) {
  return box->findChild<T*>(QString::fromLatin1(name));
}

}  // namespace

Q_DECLARE_METATYPE(CloseBy)

class AboutBoxTest : public QObject {
  Q_OBJECT

 private:
  MemoryRegistry registry_;
  RecordingLauncher launcher_;
  RecordingRuntime runtime_;

 private slots:
  void init() {
    registry_ = MemoryRegistry();
    launcher_.started.clear();
    runtime_.messages.clear();
  }

  void cleanup() {
    for (QWidget* window : QApplication::topLevelWidgets()) delete window;
  }

  void textsSetAtLoad() {
    QPointer<AboutBox> box = openAboutBox(registry_, launcher_, runtime_);
    QCOMPARE(box->objectName(), QStringLiteral("frmAbout"));
    QCOMPARE(box->windowTitle(), QStringLiteral("Informazioni su Vespera 3.3"));
    QCOMPARE(child<QLabel>(box, "lblTitle")->text(), QStringLiteral("Vespera 3.3"));
    QCOMPARE(child<QLabel>(box, "lblVersion")->text(), QStringLiteral("Versione 3.3.0"));
    QCOMPARE(child<QPushButton>(box, "cmdOK")->text(), QStringLiteral("OK"));
    QCOMPARE(child<QPushButton>(box, "cmdSysInfo")->text(), QStringLiteral("&System Info..."));

    // Two sentences, the second straight after the first full stop.
    const QString description = child<QLabel>(box, "lblDescription")->text();
    QCOMPARE(description, kAboutDescription);
    static const QRegularExpression twoSentences(QStringLiteral("^[^.]+\\.\\S[^.]+\\.$"));
    QVERIFY2(twoSentences.match(description).hasMatch(), qPrintable(description));
    QVERIFY(description.contains(QStringLiteral("astrofili")));
    QVERIFY(description.contains(QStringLiteral("formule matematiche")));

    const QImage icon = child<QLabel>(box, "picIcon")->pixmap().toImage();
    QCOMPARE(icon.size(), QSize(32, 32));
    QCOMPARE(icon, applicationIconPixmap().toImage());
    QVERIFY(box->testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(child<QPushButton>(box, "cmdOK")->isDefault());
  }

  // A fixed dialog with a close box and nothing else.
  void frame() {
    QPointer<AboutBox> box = openAboutBox(registry_, launcher_, runtime_);
    QCOMPARE(box->size(), QSize(382, 237));
    QCOMPARE(box->minimumSize(), box->maximumSize());
    const Qt::WindowFlags flags = box->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(box->parentWidget() == nullptr);
    QVERIFY(!box->isModal());
  }

  // Twips divided by 15.
  void geometry_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect");
    QTest::newRow("picIcon, sized to its picture") << "picIcon" << QRect(16, 16, 32, 32);
    QTest::newRow("cmdOK") << "cmdOK" << QRect(288, 175, 84, 23);
    QTest::newRow("cmdSysInfo") << "cmdSysInfo" << QRect(288, 205, 83, 23);
    QTest::newRow("lblDescription") << "lblDescription" << QRect(70, 75, 259, 78);
    QTest::newRow("lblTitle") << "lblTitle" << QRect(70, 16, 259, 32);
    QTest::newRow("lblVersion") << "lblVersion" << QRect(70, 52, 259, 15);
  }

  void geometry() {
    QFETCH(QString, name);
    QFETCH(QRect, rect);
    QPointer<AboutBox> box = openAboutBox(registry_, launcher_, runtime_);
    QWidget* control = box->findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), rect);
    if (auto* label = qobject_cast<QLabel*>(control); label && name != QStringLiteral("picIcon")) {
      QVERIFY(label->wordWrap());
      QCOMPARE(label->alignment(), Qt::AlignLeft | Qt::AlignTop);
    }
  }

  // The etched separator: grey, and white just below it and in front.
  void separator() {
    QPointer<AboutBox> box = openAboutBox(registry_, launcher_, runtime_);
    const QList<QFrame*> lines = box->findChildren<QFrame*>(QStringLiteral("Line1"));
    QCOMPARE(lines.size(), 2);
    QFrame* grey = lines[0]->property("index").toInt() == 1 ? lines[0] : lines[1];
    QFrame* white = grey == lines[0] ? lines[1] : lines[0];
    QCOMPARE(white->property("index").toInt(), 0);
    QCOMPARE(grey->geometry(), QRect(6, 163, 371, 1));
    QCOMPARE(white->geometry(), QRect(7, 164, 370, 2));
    const QImage image = box->grab().toImage();
    QCOMPARE(QColor(image.pixel(100, 163)), QColor(0x80, 0x80, 0x80));
    QCOMPARE(QColor(image.pixel(100, 164)), QColor(Qt::white));
    QCOMPARE(QColor(image.pixel(100, 165)), QColor(Qt::white));
  }

  void tabOrder() {
    QPointer<AboutBox> box = openAboutBox(registry_, launcher_, runtime_);
    QVERIFY(QTest::qWaitForWindowActive(box));
    auto* ok = child<QPushButton>(box, "cmdOK");
    auto* sysInfo = child<QPushButton>(box, "cmdSysInfo");
    QCOMPARE(QApplication::focusWidget(), ok);
    QTest::keyClick(ok, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), sysInfo);
    QTest::keyClick(sysInfo, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), ok);
  }

  // With two boxes open, each closes only itself, whichever way it is closed.
  void closesOnlyItself_data() {
    QTest::addColumn<CloseBy>("closeBy");
    QTest::newRow("OK") << CloseBy::OkButton;
    QTest::newRow("Enter") << CloseBy::Enter;
    QTest::newRow("Esc") << CloseBy::Escape;
    QTest::newRow("close box") << CloseBy::CloseBox;
  }

  void closesOnlyItself() {
    QFETCH(CloseBy, closeBy);
    QPointer<AboutBox> first = openAboutBox(registry_, launcher_, runtime_);
    QPointer<AboutBox> second = openAboutBox(registry_, launcher_, runtime_);
    QVERIFY(first->isVisible() && second->isVisible());
    second->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(second));

    auto* ok = child<QPushButton>(second, "cmdOK");
    switch (closeBy) {
      case CloseBy::OkButton:
        QTest::mouseClick(ok, Qt::LeftButton);
        break;
      case CloseBy::Enter:
        QTest::keyClick(second->focusWidget(), Qt::Key_Return);
        break;
      case CloseBy::Escape:
        QTest::keyClick(second->focusWidget(), Qt::Key_Escape);
        break;
      case CloseBy::CloseBox:
        second->close();
        break;
    }
    QTRY_VERIFY(second.isNull());
    QVERIFY(first);
    QVERIFY(first->isVisible());
    QCOMPARE(child<QLabel>(first, "lblTitle")->text(), QStringLiteral("Vespera 3.3"));
    QVERIFY(runtime_.messages.isEmpty());
  }

  // System Info goes through the registry: with nothing there, the one message
  // and the box stays open; with the tool's path, that program is started.
  void systemInfo() {
    QPointer<AboutBox> box = openAboutBox(registry_, launcher_, runtime_);
    QTest::mouseClick(child<QPushButton>(box, "cmdSysInfo"), Qt::LeftButton);
    QCOMPARE(runtime_.messages.size(), 1);
    QCOMPARE(runtime_.messages[0].prompt,
             QStringLiteral("Le informazioni sul sistema non sono attualmente disponibili."));
    QCOMPARE(runtime_.messages[0].flags, 0);
    QCOMPARE(runtime_.messages[0].title, QStringLiteral("Vespera 3.3"));
    QVERIFY(launcher_.started.isEmpty());
    QVERIFY(box && box->isVisible());

    // Each press reads the registry anew.
    registry_.setString(kHkeyLocalMachine, kMsinfoKey, kMsinfoPathValue, "/opt/tools/sysinfo");
    QTest::mouseClick(child<QPushButton>(box, "cmdSysInfo"), Qt::LeftButton);
    QCOMPARE(launcher_.started, QStringList{QStringLiteral("/opt/tools/sysinfo")});
    QCOMPARE(runtime_.messages.size(), 1);
    QVERIFY(box && box->isVisible());
  }
};

QTEST_MAIN(AboutBoxTest)
#include "test_about_box.moc"
