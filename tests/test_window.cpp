#include "support/test_window.h"
#include "core/handler.h"
#include "platform/system_info.h"
#include "support/files.h"
#include "ui/qt_runtime.h"
#include "ui/qt_translations.h"

#include <QAccessible>
#include <QLabel>
#include <QMenu>
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

// Contrast of two colours as WCAG measures it, from 1:1 to 21:1.
double contrast(const QColor& a, const QColor& b) {
  const auto luminance = [](const QColor& c) {
    const auto linear = [](double v) {
      return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
  };
  const auto [dark, light] = std::minmax({luminance(a), luminance(b)});
  return (light + 0.05) / (dark + 0.05);
}

// A dark desktop, as GNOME's Adwaita dark theme colours it.
QPalette darkPalette() {
  const QColor text(238, 238, 236), face(53, 53, 53);
  QPalette dark(text, face, face.lighter(), face.darker(), face, text, QColor(45, 45, 45));
  dark.setColor(QPalette::Highlight, QColor(21, 83, 158));
  return dark;
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
      QTest::keyClick(manual, Qt::Key_Escape);
      QVERIFY(manual->isVisible());
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

    // A separator with no byte in the file (U+066B) gives way to the period: results save.
    TestWindow arabic(QtRuntime(QLocale(QLocale::Arabic, QLocale::Egypt)).decimalSeparator());
    arabic.type(Field::Text8, QStringLiteral("1.5"));
    arabic.type(Field::NomeFile, arabic.folder.filePath(QStringLiteral("misura.txt")));
    for (const char* button : {"Command111", "Command98"})
      arabic.press(QString::fromLatin1(button));
    QCOMPARE(readFile(arabic.folder.filePath(QStringLiteral("misura.txt"))),
             QByteArray("Magnitudine Assoluta V(B-V)1.5\r\n"));
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

  // Every text of the main window, the manual and the About box, typed and selected text
  // included, stands out at least 4.5:1 from what it is drawn on, on a light and on a dark
  // desktop alike.
  void readableOnEveryPalette() {
    using R = QPalette::ColorRole;
    const QPalette light = QApplication::palette();
    const auto restore = qScopeGuard([&] { QApplication::setPalette(light); });
    for (const QPalette& desktop : {light, darkPalette()}) {
      QApplication::setPalette(desktop);
      TestWindow window;
      window.window.findChild<QAction*>(QStringLiteral("mnuManuale"))->trigger();
      window.window.findChild<QAction*>(QStringLiteral("mnuProdotto"))->trigger();
      QStringList unreadable;
      for (QWidget* top : QApplication::topLevelWidgets()) {
        for (QWidget* widget : top->findChildren<QWidget*>()) {
          const bool separatorLine = widget->metaObject() == &QFrame::staticMetaObject;
          if (!widget->isVisible() || separatorLine) continue;
          QList<std::pair<R, R>> texts{{widget->foregroundRole(), widget->backgroundRole()}};
          if (qobject_cast<QLineEdit*>(widget)) texts.append({R::HighlightedText, R::Highlight});
          const auto group = widget->isEnabled() ? QPalette::Active : QPalette::Disabled;
          for (const auto& [text, background] : texts) {
            const QPalette& shown = widget->palette();
            const double ratio = contrast(shown.color(group, text), shown.color(group, background));
            if (ratio < 4.5)
              unreadable << widget->objectName() + QStringLiteral(" %1:1").arg(ratio);
          }
        }
      }
      for (QWidget* top : QApplication::topLevelWidgets())
        if (top != &window.window) top->close();
      QVERIFY2(unreadable.isEmpty(), qPrintable(unreadable.join(u' ')));
    }
  }

  // Coloured and grey buttons show their colour flat inside a raised edge, white at the top
  // left and black at the bottom right; twips round to the nearest pixel, 972 as 975; labels
  // keep the desktop's button face, in the grey group too.
  void flatColours() {
    TestWindow window;
    const std::pair<const char*, QColor> samples[] = {
        {"Command85", {64, 0, 0}}, {"Command40", {64, 0, 64}}, {"Command41", {192, 192, 192}}};
    for (const auto& [name, colour] : samples) {
      const QImage shown = window.button(name)->grab().toImage();
      QCOMPARE(shown.pixelColor(0, 0), QColor(Qt::white));
      QCOMPARE(shown.pixelColor(shown.width() - 1, shown.height() - 1), QColor(Qt::black));
      for (int y = 2; y < shown.height() - 2; ++y) QCOMPARE(shown.pixelColor(2, y), colour);
    }
    QCOMPARE(window.button("Command85")->size(), window.button("Command2")->size());
    const QLabel* inGreyGroup = window.window.findChild<QLabel*>(QStringLiteral("Label9"));
    QCOMPARE(inGreyGroup->palette().window(), QApplication::palette().window());
  }

  // Qt's own texts read Italian under an Italian locale, as in a text box's context menu.
  void italianQtTexts() {
    installQtTranslations(QLocale(QLocale::Italian, QLocale::Italy));
    TestWindow window;
    const std::unique_ptr<QMenu> menu(window.box(Field::Text1)->createStandardContextMenu());
    QString texts;
    for (QAction* action : menu->actions()) texts += action->text() + u'|';
    QVERIFY2(texts.contains("&Incolla\t") && texts.contains("Seleziona tutto"), qPrintable(texts));
  }

  // --help and --version answer without a display, and any argument but Qt's own options is
  // refused before the display is looked for.
  void commandLine() {
    QProcess program;
    QProcessEnvironment noDisplay = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
      noDisplay.remove(QString::fromLatin1(name));
    }
    program.setProcessEnvironment(noDisplay);
    QByteArray errors;  // the program's standard error, shown by any check that fails
    const auto run = [&](const QStringList& arguments) {
      program.start(QStringLiteral(VESPERA_PROGRAM), arguments);
      const int status = program.waitForFinished(30000) ? program.exitCode() : -1;
      errors = program.readAllStandardError();
      return status;
    };
    QVERIFY2(run({QStringLiteral("--version")}) == 0, errors.constData());
    QCOMPARE(program.readAllStandardOutput(), QByteArray("Vespera 3.3.0\n"));
    QVERIFY2(run({QStringLiteral("-h")}) == 0, errors.constData());
    QVERIFY(program.readAllStandardOutput().startsWith("Uso: vespera [opzioni]\n"));
    QVERIFY2(run({"-reverse", "-style", "Fusion", "--bogus"}) == 2 &&
                 errors.endsWith("sconosciuto: --bogus\nvespera: vedere vespera --help\n"),
             errors.constData());
    QVERIFY2(run({"-reverse", "-style", "Fusion"}) == 1 &&
                 errors.startsWith("vespera: nessuno schermo disponibile") &&
                 errors.count('\n') == 1,
             errors.constData());
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
