// SPDX-License-Identifier: GPL-3.0-or-later

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
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

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
  bool operator==(const SeenBox&) const = default;
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

// Contrast of two colours as WCAG measures it, from 1:1 to 21:1.
double contrast(const QColor& a, const QColor& b) {
  const auto luminance = [](const QColor& c) {
    const auto linear = [](double v) {
      return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return (0.2126 * linear(c.redF())) + (0.7152 * linear(c.greenF())) +
           (0.0722 * linear(c.blueF()));
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

// A live switch of the desktop's palette as qt6ct makes it: the application's palette, then
// the same palette set on every widget.
void switchDesktopPalette(const QPalette& palette) {
  QApplication::setPalette(palette);
  for (QWidget* widget : QApplication::allWidgets()) widget->setPalette(palette);
  QCoreApplication::processEvents();
}

// The colour shown most in an area of a picture of the widget, where none of its children lies.
QColor mostShown(const QImage& shown, const QRect& area, const QWidget* widget = nullptr) {
  std::map<QRgb, int> seen;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x)
      if (!widget || !widget->childAt(x, y)) ++seen[shown.pixel(x, y)];
  }
  return QColor(
      std::ranges::max_element(seen, {}, [](const auto& entry) { return entry.second; })->first);
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
    window.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window.window));
    QStringList expected;
    for (const QByteArray& line : readFile(QStringLiteral(VESPERA_TAB_ORDER)).split('\n'))
      if (!line.isEmpty() && !line.startsWith('#')) expected << QString::fromLatin1(line);
    expected << expected.first();  // round to the first again
    QStringList walked{QApplication::focusWidget()->objectName()};
    for (qsizetype i = 1; i < expected.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      walked << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(walked, expected);
    QCOMPARE(window.box(Field::FileName)->text(), QStringLiteral("C:\\.txt"));
  }

  // Stampa prints the window on one page; every Manuale and Prodotto opens one more window,
  // owned by no other; System Info starts the tool the registry names; OK, Enter and Esc each
  // close only their own About box. The manual,
  // wider than this screen, takes the screen's width, and its text scrolls to its last line.
  void menus() {
    TestWindow window;
    window.registry.setString(kHkeyLocalMachine, kMsinfoKey, kMsinfoPathValue, "/opt/info tool");
    window.window.findChild<QAction*>(QStringLiteral("mnuStampa"))->trigger();
    const QByteArray pdf = readFile(window.folder.filePath(QStringLiteral("printed.pdf")));
    QVERIFY(pdf.startsWith("%PDF-"));
    QCOMPARE(pdf.count("/Type /Page\n") + pdf.count("/Type /Page "), 1);
    QVERIFY(window.runtime.errors.empty());

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
      auto* text = manual->findChild<QLabel*>();
      QVERIFY(text->text().contains(QStringLiteral("ATTENZIONE")));
      QVERIFY(manual->screen()->availableGeometry().contains(manual->frameGeometry()));
      text->setFont(QFont(text->font().family(), 28));  // more text than the window holds
      QCoreApplication::processEvents();                // the area lays the label out again
      auto* area = manual->findChild<QScrollArea*>();
      QVERIFY(area && text->height() >= text->heightForWidth(text->width()));
      area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
      const QRect shown(text->mapTo(area->viewport(), QPoint()), text->size());
      QVERIFY(area->viewport()->rect().contains(shown.bottomRight()));
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
    QTest::mouseClick(boxes[0]->findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
    QCOMPARE(window.launcher.started, QStringList{QStringLiteral("/opt/info tool")});
    for (const auto key : {Qt::Key_unknown, Qt::Key_Return, Qt::Key_Escape}) {  // OK by mouse
      QPointer<QWidget> closing = boxes.takeFirst();
      auto* ok = closing->findChild<QPushButton*>(QStringLiteral("cmdOK"));
      key == Qt::Key_unknown ? QTest::mouseClick(ok, Qt::LeftButton)
                             : QTest::keyClick(closing, key);
      QTRY_VERIFY(closing.isNull());
      QCOMPARE(openWindows(QStringLiteral("frmAbout")), boxes);
    }
  }

  // Real message boxes, OK only: the icon each kind of message asks for, and the program's
  // title where a message has none of its own. A fault that stops a handler is one such box.
  void realMessageBoxes() {
    QtRuntime runtime{QLocale(QLocale::English)};
    const std::tuple<int, const char*, QMessageBox::Icon, QString> kinds[] = {
        {kNoIcon, "", QMessageBox::NoIcon, "Vespera 3.3"},
        {kInformationIcon, "Salva", QMessageBox::Information, "Salva"},
        {kCriticalIcon, "Salva", QMessageBox::Critical, "Salva"}};
    for (const auto& [flags, title, icon, shownTitle] : kinds) {
      const auto seen =
          closeBoxOf([&, f = flags, t = title] { runtime.messageBox("Fatto!", f, t); });
      QVERIFY((seen == SeenBox{shownTitle, QStringLiteral("Fatto!"), icon, 1}));
    }
    MemoryFieldStore store;
    const auto fault = closeBoxOf([&] {
      runHandler([](FieldStore&, Runtime&) { throw ArithmeticFault(FaultKind::Overflow); }, store,
                 runtime);
    });
    QVERIFY((fault ==
             SeenBox{"Vespera 3.3", "Errore di run-time: overflow", QMessageBox::Critical, 1}));
    QCOMPARE(qs(runtime.decimalSeparator()), QStringLiteral("."));
    QCOMPARE(qs(QtRuntime(QLocale(QLocale::Italian, QLocale::Italy)).decimalSeparator()),
             QStringLiteral(","));

    // A separator with no byte in the file (U+066B) gives way to the period: results save.
    TestWindow arabic(
        qs(QtRuntime(QLocale(QLocale::Arabic, QLocale::Egypt)).decimalSeparator())[0]);
    arabic.type(Field::MagnitudeB, QStringLiteral("1.5"));
    arabic.type(Field::FileName, arabic.folder.filePath(QStringLiteral("misura.txt")));
    for (const char* button : {"Command111", "Command98"})
      arabic.press(QString::fromLatin1(button));
    QCOMPARE(readFile(arabic.folder.filePath(QStringLiteral("misura.txt"))),
             QByteArray("Magnitudine Assoluta V(B-V)1.5\r\n"));
  }

  // A screen reader names every box after its heading and tells every button and box apart.
  void spokenNames() {
    TestWindow window;
    QCOMPARE(spokenName(window.box(Field::DistanceParsecs)), QStringLiteral("Distanza Parsec"));
    QCOMPARE(spokenName(window.box(Field::DistanceLightYears)), QStringLiteral("Anni Luce"));
    QCOMPARE(spokenName(window.button("Command99")), "CALCOLA: parsec dalla parallasse");
    QCOMPARE(spokenName(window.button("Command103")), "RESET: anni luce");
    QSet<QString> names;
    for (QWidget* control : window.window.findChildren<QWidget*>()) {
      if (!qobject_cast<QPushButton*>(control) && !qobject_cast<QLineEdit*>(control)) continue;
      const QString name = spokenName(control);
      QVERIFY2(!name.isEmpty() && !names.contains(name), qPrintable(control->objectName()));
      names << name;
    }
  }

  // A live switch of the desktop's palette, light to dark and back, with the manual and an About
  // box open. The window keeps its own colours (91 presets, 7 grey buttons, 19 coloured boxes,
  // the grey group) and shows the desktop's everywhere else; every button is one flat face in
  // a raised edge, light above and on the left; every text, typed and selected text included,
  // stands out at least 4.5:1 from what it is drawn on; back on light, all looks as before.
  void livePaletteSwitch() {
    using R = QPalette::ColorRole;
    const QPalette light = QApplication::palette();
    const auto restore = qScopeGuard([&] { switchDesktopPalette(light); });
    TestWindow window;
    window.box(Field::SurfaceMagnitude)->setFocus();  // no focus frame on a button
    for (const char* item : {"mnuManuale", "mnuProdotto"})
      window.window.findChild<QAction*>(QString::fromLatin1(item))->trigger();
    const QImage before = window.window.grab().toImage();
    std::map<QWidget*, QColor> designed;  // the colour each part of the window shows most
    for (QWidget* widget : window.window.findChildren<QWidget*>())
      if (widget->isVisible())
        designed[widget] = mostShown(widget->grab().toImage(), widget->rect(), widget);
    for (const QPalette& desktop : {darkPalette(), light}) {
      switchDesktopPalette(desktop);
      QStringList wrong;
      int kept = 0;  // parts that show the colour they showed on light
      for (const auto& [widget, designedColour] : designed) {
        const QImage shown = widget->grab().toImage();
        const QColor face = mostShown(shown, widget->rect(), widget);
        kept += face == designedColour;
        const R role = widget->backgroundRole();  // not kept: the desktop's, on light as on dark
        if (face != designedColour &&
            (face != desktop.color(role) || designedColour != light.color(role)))
          wrong << widget->objectName() + QStringLiteral(" shows ") + face.name();
        if (!qobject_cast<QPushButton*>(widget)) continue;
        const int w = shown.width(), h = shown.height();
        const QColor top = mostShown(shown, {0, 0, w, 1}), low = mostShown(shown, {0, h - 1, w, 1});
        const QColor left = mostShown(shown, {0, 0, 1, h}),
                     right = mostShown(shown, {w - 1, 0, 1, h});
        bool flat = top != face && low != face && top.lightness() > low.lightness() &&
                    left != face && right != face && left.lightness() > right.lightness();
        double text = 1;  // the caption or picture, inside the edge
        for (int y = 3; y < h - 3; ++y) {
          flat = flat && mostShown(shown, {0, y, w, 1}) == face;
          for (int x = 3; x < w - 3; ++x)
            text = std::max(text, contrast(shown.pixelColor(x, y), face));
        }
        if (!flat || text < 4.5) wrong << widget->objectName() + QStringLiteral(" %1:1").arg(text);
      }
      if (desktop != light) QCOMPARE(kept, 118);  // their own colours, and no other part
      for (QWidget* widget : QApplication::allWidgets()) {
        const bool separatorLine = widget->metaObject() == &QFrame::staticMetaObject;
        if (!widget->isVisible() || separatorLine) continue;
        QList<std::pair<R, R>> texts{{widget->foregroundRole(), widget->backgroundRole()}};
        if (qobject_cast<QLineEdit*>(widget)) texts.append({R::HighlightedText, R::Highlight});
        for (const auto& [text, background] : texts) {
          const QPalette& shown = widget->palette();
          const double ratio = contrast(shown.color(text), shown.color(background));
          if (ratio < 4.5) wrong << widget->objectName() + QStringLiteral(" %1:1").arg(ratio);
        }
      }
      QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u' ')));
    }
    QCOMPARE(window.window.grab().toImage(), before);
  }

  // The About box's texts fit the desktop's font, also when it changes while the box is open:
  // at the dialog font of its design the box keeps its designed 5730 x 3555 twips; under larger
  // fonts its labels and buttons grow to hold their texts, inside the box, none over another.
  void aboutBoxFitsTheFont() {
    const QFont normal = QApplication::font();
    const auto restore = qScopeGuard([&] { QApplication::setFont(normal); });
    TestWindow window;
    std::unique_ptr<QWidget> box;
    for (const double points : {8.25, 11.0, 16.0}) {
      QFont font(QStringLiteral("Liberation Sans"));
      font.setPointSizeF(points);
      QApplication::setFont(font);
      QCoreApplication::processEvents();  // the widgets take the new font
      if (!box) window.window.findChild<QAction*>(QStringLiteral("mnuProdotto"))->trigger();
      if (!box) box.reset(openWindows(QStringLiteral("frmAbout")).value(0));
      if (points < 9) QCOMPARE(box->size(), QSize(382, 237));
      QStringList cut;
      const QList<QWidget*> parts = box->findChildren<QWidget*>();
      for (QWidget* part : parts) {
        const auto* label = qobject_cast<QLabel*>(part);
        const bool fits = label ? label->heightForWidth(part->width()) <= part->height()
                                : part->sizeHint().width() <= part->width();
        if (!fits || !box->rect().contains(part->geometry())) cut << part->objectName();
        for (QWidget* other : parts)
          if (other < part && other->geometry().intersects(part->geometry()))
            cut << part->objectName() + u'/' + other->objectName();
      }
      QVERIFY2(cut.isEmpty(), qPrintable(QStringLiteral("%1 pt: ").arg(points) + cut.join(u' ')));
    }
  }

  // Qt's own texts read Italian under an Italian locale, as in a text box's context menu.
  void italianQtTexts() {
    const std::unique_ptr<QTranslator> italian(
        installQtTranslations(QLocale(QLocale::Italian, QLocale::Italy)));
    QVERIFY(italian);
    TestWindow window;
    const std::unique_ptr<QMenu> menu(
        window.box(Field::SurfaceMagnitude)->createStandardContextMenu());
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
