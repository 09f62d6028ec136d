#include "core/recording_runtime.h"
#include "platform/printer.h"
#include "support/test_services.h"
#include "ui/fonts.h"
#include "ui/main_window.h"

#include <QtTest>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

using namespace vespera;

// The calculator used as a person uses it: the real window, clicks and typed
// keys, a real file in a temporary folder, the menus and the windows they open.
class WindowWorkflowsTest : public QObject {
  Q_OBJECT

  std::unique_ptr<RecordingRuntime> runtime_;
  std::unique_ptr<TestServices> services_;
  std::unique_ptr<MainWindow> window_;
  QTemporaryDir folder_;

  void openWindow(QChar separator) {
    runtime_ = std::make_unique<RecordingRuntime>(separator);
    window_ = std::make_unique<MainWindow>(*runtime_, services_->services());
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  }

  QLineEdit* box(const char* name) {
    return window_->findChild<QLineEdit*>(QString::fromLatin1(name));
  }
  void press(const char* name) {
    auto* button = window_->findChild<QPushButton*>(QString::fromLatin1(name));
    QVERIFY2(button, name);
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Space);
  }
  void type(const char* name, const QString& text) {
    QLineEdit* field = box(name);
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
  }
  QAction* menuItem(const char* name) {
    return window_->findChild<QAction*>(QString::fromLatin1(name));
  }

  static QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
  }

  static QList<QWidget*> openWindowsNamed(const QString& name) {
    QList<QWidget*> found;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget->objectName() == name && widget->isVisible()) found << widget;
    }
    return found;
  }

 private slots:
  void init() {
    services_ = std::make_unique<TestServices>(folder_.filePath(QStringLiteral("stampa.pdf")));
  }
  void cleanup() {
    window_.reset();
    for (QWidget* widget : QApplication::topLevelWidgets()) widget->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // The typical request: a preset, a magnitude, a distance, CALCOLA, a path
  // and the full save; the file holds the one record.
  void typicalRequestToASavedFile() {
    openWindow(QLatin1Char('.'));
    press("Command55");
    type("Text2", QStringLiteral("4.83"));
    type("Text3", QStringLiteral("10"));
    press("Command41");
    QCOMPARE(box("Text4")->text(), QStringLiteral("1548478941.99956"));
    type("Text19", QStringLiteral("G2V"));
    const QString path = folder_.filePath(QStringLiteral("misura.txt"));
    type("NomeFile", path);
    press("Command84");

    QCOMPARE(runtime_->messages.size(), 1);
    QCOMPARE(runtime_->messages[0].prompt, QStringLiteral("Salvataggio effettuato!"));
    QCOMPARE(runtime_->messages[0].flags, int(kInformationIcon));
    QCOMPARE(runtime_->messages[0].title, QStringLiteral("Salva"));
    const QByteArray expected =
        "Diametro Stella in metri1548478941.99956Rapporto Diametro Stella con il Sole "
        "1.11321275485231Magnitudine Assoluta V4.83Dimensione angolare in(\xB0)"
        "Calcolo diametro con dimensione angolareKilometri(B-V)"
        "Temperatura Stella in Kelvin5750Tipo spettraleG2V\r\n";
    QCOMPARE(contentOf(path).toHex(' '), expected.toHex(' '));

    // The other two saves replace the file with their shorter records.
    type("Text13", QStringLiteral("0.5"));
    press("Command110");
    QCOMPARE(contentOf(path),
             QByteArray("Dimensione angolare in(\xB0)0.5Calcolo diametro con dimensione "
                        "angolareKilometri\r\n"));
    press("Command98");
    QCOMPARE(contentOf(path), QByteArray("Magnitudine Assoluta V4.83(B-V)\r\n"));
  }

  // A save that cannot be made says so and leaves the earlier file alone.
  void failedSaveKeepsTheEarlierFile() {
    openWindow(QLatin1Char('.'));
    type("NomeFile", folder_.path());  // a folder, not a file
    press("Command84");
    QCOMPARE(runtime_->messages.size(), 1);
    QCOMPARE(runtime_->messages[0].prompt,
             QStringLiteral("Si \u00E8 verificato un errore nel salvataggio."));
    QCOMPARE(runtime_->messages[0].flags, int(kCriticalIcon));
    QVERIFY(QFileInfo(folder_.path()).isDir());
  }

  // Each side panel once, by the keyboard, on a comma locale: what one panel
  // writes with a comma the next one reads whole.
  void sidePanelsOnACommaLocale() {
    openWindow(QLatin1Char(','));
    type("Text12", QStringLiteral("32,6156"));
    press("Command102");
    QCOMPARE(box("Text3")->text(), QStringLiteral("10"));
    type("Text11", QStringLiteral("2,5"));
    press("Command99");
    QCOMPARE(box("Text3")->text(), QStringLiteral("400"));
    press("Command100");
    QVERIFY(box("Text11")->text().isEmpty());

    type("Text3", QStringLiteral("10"));
    type("Text17", QStringLiteral("30"));
    press("Command108");
    QCOMPARE(box("Text13")->text(), QStringLiteral("0,5"));
    press("Command101");
    QCOMPARE(box("Text14")->text(), QStringLiteral("2693111400228,16"));
    type("Text18", QStringLiteral("36"));
    press("Command109");
    QCOMPARE(box("Text13")->text(), QStringLiteral("0,01"));

    type("Text8", QStringLiteral("1,5"));
    type("Text9", QStringLiteral("0,85"));
    press("Command111");
    QCOMPARE(box("Text10")->text(), QStringLiteral("0,65"));
    press("Command96");
    QVERIFY2(box("Text7")->text().startsWith(QLatin1String("5933,954215")),
             qPrintable(box("Text7")->text()));
    press("Command97");
    for (const char* name : {"Text7", "Text8", "Text9", "Text10"}) {
      QVERIFY(box(name)->text().isEmpty());
    }
    QVERIFY(runtime_->errors.isEmpty());

    // The parallax 0 fault leaves the distance as it was, and the window works on.
    type("Text11", QStringLiteral("0"));
    press("Command99");
    QCOMPARE(runtime_->errors, QStringList{"Errore di run-time: divisione per zero"});
    QCOMPARE(box("Text3")->text(), QStringLiteral("10"));
  }

  // "Stampa" prints the window at once: one PDF page with its image.
  void printingPutsTheWindowOnAPage() {
    openWindow(QLatin1Char('.'));
    menuItem("mnuStampa")->trigger();
    QVERIFY(runtime_->errors.isEmpty());
    QFile pdf(folder_.filePath(QStringLiteral("stampa.pdf")));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    QVERIFY(bytes.startsWith("%PDF-"));
    QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
                 bytes.count("/Type /Page>") + bytes.count("/Type /Page "), 1);
    QVERIFY(bytes.contains("/Image"));
  }

  // Without a default printer the user is told, and nothing else changes.
  void noPrinterIsReported() {
    SystemPrinter noPrinter([] { return QPrinterInfo(); });
    runtime_ = std::make_unique<RecordingRuntime>();
    window_ = std::make_unique<MainWindow>(
        *runtime_, WindowServices{noPrinter, services_->registry, services_->launcher});
    window_->show();
    type("Text2", QStringLiteral("4.83"));
    menuItem("mnuStampa")->trigger();
    QCOMPARE(runtime_->errors, QStringList{kNoDefaultPrinterMessage});
    QCOMPARE(box("Text2")->text(), QStringLiteral("4.83"));
    press("Command1");
    QCOMPARE(box("Text1")->text(), QStringLiteral("52.8"));
  }

  // Each use of a menu item opens one more window of its own.
  void manualsAndAboutBoxesOpenAnew() {
    openWindow(QLatin1Char('.'));
    menuItem("mnuManuale")->trigger();
    menuItem("mnuManuale")->trigger();
    menuItem("mnuProdotto")->trigger();
    menuItem("mnuProdotto")->trigger();
    QCOMPARE(openWindowsNamed(QStringLiteral("Dialog")).size(), 2);
    const QList<QWidget*> aboutBoxes = openWindowsNamed(QStringLiteral("frmAbout"));
    QCOMPARE(aboutBoxes.size(), 2);
    for (QWidget* about : aboutBoxes) {
      QCOMPARE(about->windowTitle(), QStringLiteral("Informazioni su Vespera 3.3"));
      QCOMPARE(about->parentWidget(), nullptr);  // no owner
      QVERIFY(!qobject_cast<QDialog*>(about)->isModal());
    }
    openWindowsNamed(QStringLiteral("Dialog")).first()->close();
    QCOMPARE(openWindowsNamed(QStringLiteral("Dialog")).size(), 1);
    QVERIFY(window_->isVisible());
  }

  // ESCI ends the program at once and closes every window.
  void exitClosesEveryWindow() {
    openWindow(QLatin1Char('.'));
    menuItem("mnuManuale")->trigger();
    menuItem("mnuProdotto")->trigger();
    QTimer::singleShot(0, this, [this] { press("Command42"); });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    watchdog.start(20000);
    QCOMPARE(QCoreApplication::exec(), 0);
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      QVERIFY2(!widget->isVisible(), qPrintable(widget->objectName()));
    }
  }

  // Closing the main window first leaves the program running until the last
  // window is closed.
  void programRunsUntilTheLastWindowCloses() {
    openWindow(QLatin1Char('.'));
    menuItem("mnuProdotto")->trigger();
    bool runningAfterMainClosed = false;
    QTimer::singleShot(0, this, [this] { window_->close(); });
    QTimer::singleShot(300, this, [&] {
      runningAfterMainClosed = openWindowsNamed(QStringLiteral("frmAbout")).size() == 1;
      openWindowsNamed(QStringLiteral("frmAbout")).first()->close();
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    watchdog.start(20000);
    QCOMPARE(QCoreApplication::exec(), 0);  // ended by the last window closing
    QVERIFY(runningAfterMainClosed);
  }
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setStyle(QStringLiteral("Fusion"));
  installFontSubstitutes();
  WindowWorkflowsTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_window_workflows.moc"
