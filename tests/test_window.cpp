#include "support/test_window.h"
#include "core/handler.h"
#include "platform/system_info.h"
#include "ui/qt_runtime.h"

#include <QAccessible>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>

using namespace vespera;

namespace {

// The visible top-level windows of one kind ("Dialog", "frmAbout").
QList<QWidget*> openWindows(const QString& name) {
  QList<QWidget*> found;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->objectName() == name && widget->isVisible()) found << widget;
  }
  return found;
}

struct SeenBox {
  QString title, text;
  QMessageBox::Icon icon;
  qsizetype buttons;
};

// Runs `show`, presses OK on the message box it opens and says what the box showed. A box
// that has not come after five seconds is not waited for any longer: nothing is seen.
std::optional<SeenBox> closeBoxOf(const std::function<void()>& show) {
  std::optional<SeenBox> seen;
  QElapsedTimer waited;
  waited.start();
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      seen = SeenBox{box->windowTitle(), box->text(), box->icon(), box->buttons().size()};
      QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    } else if (modal && waited.elapsed() > 5000) {
      modal->close();
    }
  });
  poll.start(10);
  show();
  return seen;
}

// The Tab stops in order: the controls' names, a run written as Command43-48.
QStringList tabStops(const QString& runs) {
  QStringList stops;
  static const QRegularExpression run(QStringLiteral("^(\\D+)(\\d+)-(\\d+)$"));
  for (const QString& item : runs.split(u' ')) {
    const auto match = run.match(item);
    if (!match.hasMatch()) stops << item;
    for (int i = match.captured(2).toInt(); match.hasMatch() && i <= match.captured(3).toInt(); ++i)
      stops << match.captured(1) + QString::number(i);
  }
  return stops;
}

QString spokenName(QWidget* widget) {
  return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

}  // namespace

class WindowTest : public QObject {
  Q_OBJECT

 private slots:
  // Tab follows the control names, not the screen, from the 4000 K button that has the
  // focus at start, round to it again.
  void tabOrder() {
    TestWindow window;
    QApplication::setActiveWindow(&window.window);
    QVERIFY(QTest::qWaitForWindowActive(&window.window));
    const QStringList expected = tabStops(QStringLiteral(
        "Command1-40 Text1 Text2 Command41 Text3 Command42 Command43-48 Text4-6 Command49-84 "
        "NomeFile Command85-95 Command96 Text7-9 Command97 Text10 Command98 Command99 "
        "Command100 Text11 Text13 Text14 Command101 Text12 Command102-105 Text15 Command106 "
        "Command107 Text16-18 Command109 Command108 Command110 Command111 Text19 Command1"));
    QStringList walked{QApplication::focusWidget()->objectName()};
    for (qsizetype i = 1; i < expected.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      walked << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(walked, expected);
    QCOMPARE(window.box(Field::NomeFile)->text(), QStringLiteral("C:\\.txt"));
  }

  // Stampa prints the window on one page; every Manuale and Prodotto opens one more window,
  // owned by no other; OK, Enter and Esc each close only their own About box.
  void menus() {
    TestWindow window;
    window.window.findChild<QAction*>(QStringLiteral("mnuStampa"))->trigger();
    QFile printed(window.folder.filePath(QStringLiteral("printed.pdf")));
    QVERIFY(printed.open(QIODevice::ReadOnly));
    const QByteArray pdf = printed.readAll();
    QVERIFY(pdf.startsWith("%PDF-"));
    QCOMPARE(pdf.count("/Type /Page\n") + pdf.count("/Type /Page "), 1);
    QVERIFY(window.runtime.errors.isEmpty());

    for (const char* item :
         {"mnuManuale", "mnuManuale", "mnuProdotto", "mnuProdotto", "mnuProdotto"})
      window.window.findChild<QAction*>(QString::fromLatin1(item))->trigger();
    const QList<QWidget*> manuals = openWindows(QStringLiteral("Dialog"));
    QCOMPARE(manuals.size(), 2);
    for (QWidget* manual : manuals) {
      QCOMPARE(manual->parentWidget(), nullptr);
      QCOMPARE(manual->windowTitle(), QStringLiteral("Manuale"));
      QCOMPARE(manual->minimumSize(), manual->maximumSize());
      QVERIFY(manual->findChild<QLabel*>()->text().contains(QStringLiteral("ATTENZIONE")));
      manual->close();
    }

    QList<QWidget*> boxes = openWindows(QStringLiteral("frmAbout"));
    QCOMPARE(boxes.size(), 3);
    for (QWidget* box : boxes) {
      QCOMPARE(box->parentWidget(), nullptr);
      QCOMPARE(box->windowTitle(), QStringLiteral("Informazioni su Vespera 3.3"));
      QCOMPARE(box->findChild<QLabel*>(QStringLiteral("lblTitle"))->text(), "Vespera 3.3");
      QCOMPARE(box->findChild<QLabel*>(QStringLiteral("lblVersion"))->text(), "Versione 3.3.0");
    }
    const std::function<void(QWidget*)> closers[] = {
        [](QWidget* box) {
          QTest::mouseClick(box->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
        },
        [](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); },
        [](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); }};
    for (const auto& close : closers) {
      QPointer<QWidget> closing = boxes.takeFirst();
      close(closing);
      QTRY_VERIFY(closing.isNull());
      QCOMPARE(openWindows(QStringLiteral("frmAbout")), boxes);
    }
  }

  // System Info starts the tool the registry names; without one, the box says so.
  void systemInfo() {
    TestWindow window;
    window.registry.setString(kHkeyLocalMachine, kMsinfoKey, kMsinfoPathValue, "/opt/info tool");
    window.window.findChild<QAction*>(QStringLiteral("mnuProdotto"))->trigger();
    QWidget* box = openWindows(QStringLiteral("frmAbout")).value(0);
    QVERIFY(box);
    QTest::mouseClick(box->findChild<QPushButton*>(QStringLiteral("cmdSysInfo")), Qt::LeftButton);
    QCOMPARE(window.launcher.started, QStringList{QStringLiteral("/opt/info tool")});
    box->close();
  }

  // Real message boxes, OK only: the icon each kind of message asks for, and the program's
  // title where a message has none of its own. A fault that stops a handler is one such box.
  void realMessageBoxes() {
    QtRuntime runtime{QLocale(QLocale::English)};
    const std::tuple<int, QString, QMessageBox::Icon, QString> kinds[] = {
        {kNoIcon, "", QMessageBox::NoIcon, "Vespera 3.3"},
        {kInformationIcon, "Salva", QMessageBox::Information, "Salva"},
        {kCriticalIcon, "Salva", QMessageBox::Critical, "Salva"}};
    for (const auto& [flags, title, icon, shownTitle] : kinds) {
      const auto seen = closeBoxOf(
          [&, f = flags, t = title] { runtime.messageBox(QStringLiteral("Fatto!"), f, t); });
      QVERIFY(seen);
      QCOMPARE(seen->title, shownTitle);
      QCOMPARE(seen->text, QStringLiteral("Fatto!"));
      QCOMPARE(seen->icon, icon);
      QCOMPARE(seen->buttons, 1);
    }
    MemoryFieldStore store;
    const auto fault = closeBoxOf([&] {
      runHandler([](FieldStore&, Runtime&) { throw ArithmeticFault(FaultKind::Overflow); }, store,
                 runtime);
    });
    QVERIFY(fault);
    QCOMPARE(fault->text, QStringLiteral("Errore di run-time: overflow"));
    QCOMPARE(fault->icon, QMessageBox::Critical);
    QCOMPARE(runtime.decimalSeparator(), QChar(u'.'));
    QCOMPARE(QtRuntime(QLocale(QLocale::Italian, QLocale::Italy)).decimalSeparator(), QChar(u','));
  }

  // A screen reader names every box after its heading and tells every button apart.
  void spokenNames() {
    TestWindow window;
    QCOMPARE(spokenName(window.box(Field::Text3)), QStringLiteral("Distanza Parsec"));
    QCOMPARE(spokenName(window.box(Field::Text12)), QStringLiteral("Anni Luce"));
    QCOMPARE(spokenName(window.button("Command99")), "CALCOLA: parsec dalla parallasse");
    QCOMPARE(spokenName(window.button("Command103")), "RESET: anni luce");
    QSet<QString> names;
    for (QPushButton* button : window.window.findChildren<QPushButton*>()) {
      const QString name = spokenName(button);
      QVERIFY2(!name.isEmpty() && !names.contains(name), qPrintable(button->objectName()));
      names << name;
    }
  }

  // --help and --version answer without a display; Qt's own options still work, and any
  // other argument is refused.
  void commandLine() {
    QProcess program;
    QProcessEnvironment noDisplay = QProcessEnvironment::systemEnvironment();
    noDisplay.remove(QStringLiteral("DISPLAY"));
    noDisplay.remove(QStringLiteral("QT_QPA_PLATFORM"));
    const auto run = [&](const QStringList& arguments, const QProcessEnvironment& environment) {
      program.setProcessEnvironment(environment);
      program.start(QStringLiteral(VESPERA_PROGRAM), arguments);
      return program.waitForFinished(30000) ? program.exitCode() : -1;
    };
    QCOMPARE(run({QStringLiteral("--version")}, noDisplay), 0);
    QCOMPARE(program.readAllStandardOutput(), QByteArray("Vespera 3.3.0\n"));
    QCOMPARE(run({QStringLiteral("-h")}, noDisplay), 0);
    QVERIFY(program.readAllStandardOutput().startsWith("Uso: vespera [opzioni]\n"));
    QCOMPARE(run({"-platform", "offscreen", "-reverse", "--bogus"}, noDisplay), 2);
    QVERIFY(program.readAllStandardError().contains("sconosciuto: --bogus\n"));
  }

  // ESCI ends the program with success and takes every window with it.
  void exitClosesEverything() {
    TestWindow window;
    window.window.findChild<QAction*>(QStringLiteral("mnuManuale"))->trigger();
    window.window.findChild<QAction*>(QStringLiteral("mnuProdotto"))->trigger();
    QTimer::singleShot(0, [&] { window.press(QStringLiteral("Command42")); });
    QCOMPARE(QApplication::exec(), 0);
    for (QWidget* widget : QApplication::topLevelWidgets()) QVERIFY(!widget->isVisible());
  }
};

QTEST_MAIN(WindowTest)
#include "test_window.moc"
