#include "core/recording_runtime.h"
#include "ui/fonts.h"
#include "ui/main_window.h"
#include "support/test_services.h"

#include <QtTest>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

using namespace vespera;

namespace {

// The main window as the layout description gives it, written out again here
// independently of the program's own tables: name, parent, left, top, width,
// height (twips), tab index, and a kind-specific rest.
struct Expected {
  const char* name;
  const char* parent;
  int left, top, width, height, tab;
  const char* font;  // "family size [bold]" or "" for the window font
  const char* colour;  // "r,g,b" for a coloured box/button, "" for the system colour
};

const Expected kFields[] = {
    {"Text1", "Form1", 2520, 600, 975, 285, 41, "Verdana 9.75", "255,255,192"},
    {"Text2", "Form1", 1440, 600, 975, 288, 42, "Verdana 9.75", "255,255,192"},
    {"Text3", "Form1", 360, 600, 975, 285, 44, "Verdana 9.75", "255,255,192"},
    {"Text4", "Form1", 5280, 840, 2535, 285, 55, "Verdana 9.75", "255,255,255"},
    {"Text5", "Form1", 5280, 240, 2535, 285, 56, "Verdana 9.75", "255,255,255"},
    {"Text6", "Form1", 5280, 1440, 2535, 285, 57, "Verdana 9.75", "255,255,255"},
    {"Text7", "Frame2", 120, 480, 975, 288, 111, "Verdana 9.75", "255,255,255"},
    {"Text8", "Frame2", 4680, 480, 732, 288, 112, "Verdana 9.75", "255,224,192"},
    {"Text9", "Frame2", 5520, 480, 732, 288, 113, "Verdana 9.75", "255,224,192"},
    {"Text10", "Frame2", 1200, 480, 975, 288, 118, "Verdana 9.75", "255,255,192"},
    {"Text11", "Frame3", 120, 960, 3495, 285, 124, "Verdana 9.75", "255,224,192"},
    {"Text12", "Frame3", 120, 1920, 3495, 285, 131, "", "255,224,192"},
    {"Text13", "Frame1", 480, 600, 975, 300, 127, "", "255,255,192"},
    {"Text14", "Frame1", 1560, 600, 2055, 300, 129, "", "255,255,255"},
    {"Text15", "Frame3", 120, 2880, 3495, 285, 138, "", "255,224,192"},
    {"Text16", "Frame3", 120, 3840, 3495, 285, 142, "", "255,224,192"},
    {"Text17", "Frame1", 120, 1560, 975, 285, 143, "", "255,224,192"},
    {"Text18", "Frame1", 1200, 1560, 975, 285, 144, "", "255,224,192"},
    {"Text19", "Form1", 840, 5760, 495, 285, 153, "", ""},
    {"NomeFile", "Form1", 3600, 2520, 4215, 285, 97, "Arial 9.75", "255,255,255"},
};

struct ExpectedLabel {
  const char* name;
  const char* caption;
  const char* parent;
  int left, top, width, height, tab;
  const char* font;
  bool centred;
};

const ExpectedLabel kLabels[] = {
    {"Label1", "Temperatura Stella in Kelvin", "Form1", 360, 960, 2652, 252, 40, "MS Sans Serif 9.75", false},
    {"Label2", "Magnitudine assoluta V/m^2", "Form1", 2400, 120, 1215, 375, 46, "Arial 8.25", true},
    {"Label3", "Magnitudine apparente V", "Form1", 1440, 120, 972, 492, 47, "Arial 8.25", true},
    {"Label4", "Distanza Parsec", "Form1", 360, 120, 855, 375, 48, "Arial 8.25", true},
    {"Label5", "Diametro Stella in metri", "Form1", 5280, 600, 1935, 255, 58, "Arial 8.25", false},
    {"Label6", "Magnitudine Assoluta V", "Form1", 5280, 0, 1815, 255, 59, "Arial 8.25", false},
    {"Label7", "Rapporto Diametro Stella con il Sole ", "Form1", 5280, 1200, 2655, 375, 60, "Arial 8.25", false},
    {"Label8", "Dimensione angolare in(°)", "Frame1", 120, 360, 1815, 495, 128, "", false},
    {"Label9", "Anni Luce", "Frame3", 1440, 1440, 975, 255, 133, "", false},
    {"Label10", "mag.V", "Frame2", 5640, 240, 495, 255, 114, "MS Sans Serif 8.25", false},
    {"Label11", "mag.B", "Frame2", 4800, 240, 495, 255, 115, "MS Sans Serif 8.25", false},
    {"Label12", "Temperatura K", "Frame2", 120, 240, 1095, 255, 116, "Arial 9", false},
    {"Label13", "(B-V)", "Frame2", 1440, 240, 495, 255, 119, "Arial 9", true},
    {"Label14", "Unità Astronomica", "Frame3", 1200, 2400, 1575, 255, 135, "", false},
    {"Label15", "Parallasse trigonometrica in milli secondi d'arco", "Frame3", 960, 240, 2055, 495, 125, "", false},
    {"Label16", "Kilometri ", "Frame3", 1560, 3360, 735, 255, 139, "", false},
    {"Label17", "Secondi \"", "Frame1", 1320, 1320, 855, 255, 145, "", false},
    {"Label18", "Primi '", "Frame1", 360, 1320, 495, 255, 146, "", false},
    {"Label19", "Kilometri", "Frame1", 2280, 360, 735, 255, 148, "", false},
    {"Label20", "Tipo spettrale", "Form1", 120, 5640, 735, 495, 152, "", false},
};

struct ExpectedButton {
  const char* name;
  const char* caption;
  const char* parent;
  int left, top, width, height, tab;
  const char* font;
  const char* look;  // standard, grey, picture
};

const ExpectedButton kButtons[] = {
    {"Command41", "CALCOLA", "Form1", 3600, 240, 1575, 555, 43, "Arial 11.25", "grey"},
    {"Command51", "RESET", "Form1", 3600, 840, 855, 300, 63, "Arial 9", "grey"},
    {"Command42", "ESCI", "Form1", 4560, 840, 615, 300, 45, "Arial 9.75", "grey"},
    {"Command84", "Salva Misura in C:\\.... .txt", "Form1", 3600, 1200, 1575, 495, 96, "Times New Roman 9", "grey"},
    {"Command98", "Salva solo con Mag.Assoluta", "Form1", 3600, 1800, 4215, 255, 120, "Times New Roman 9", "grey"},
    {"Command110", "Salva misura solo con dimensione angolare", "Form1", 3600, 2160, 4215, 255, 150, "", "standard"},
    {"Command101", "CALCOLA ", "Frame1", 2280, 960, 1335, 880, 130, "Times New Roman 12", "standard"},
    {"Command108", "", "Frame1", 480, 960, 375, 355, 149, "", "picture"},
    {"Command109", "", "Frame1", 1080, 960, 375, 355, 147, "", "picture"},
    {"Command99", "CALCOLA", "Frame3", 120, 720, 1815, 255, 122, "Verdana 9", "standard"},
    {"Command100", "RESET", "Frame3", 1920, 720, 1695, 255, 123, "Verdana 9", "standard"},
    {"Command102", "CALCOLA", "Frame3", 120, 1680, 1815, 255, 132, "", "standard"},
    {"Command103", "RESET", "Frame3", 1920, 1680, 1695, 255, 134, "", "standard"},
    {"Command104", "CALCOLA", "Frame3", 120, 2640, 1815, 255, 136, "", "standard"},
    {"Command105", "RESET", "Frame3", 1920, 2640, 1695, 255, 137, "", "standard"},
    {"Command106", "CALCOLA", "Frame3", 120, 3600, 1815, 255, 140, "", "standard"},
    {"Command107", "RESET", "Frame3", 1920, 3600, 1695, 255, 141, "", "standard"},
    {"Command97", "RESET", "Frame2", 2280, 240, 1095, 255, 117, "Arial 9", "grey"},
    {"Command96", "CALCOLA", "Frame2", 2280, 500, 1095, 285, 110, "Arial 9", "grey"},
    {"Command111", "Calcola (B-V)", "Frame2", 3600, 280, 975, 495, 151, "", "standard"},
};

QRect pixels(int left, int top, int width, int height) {
  return {left / 15, top / 15, width / 15, height / 15};
}

QColor colourOf(const char* rgb) {
  const QStringList parts = QString::fromLatin1(rgb).split(QLatin1Char(','));
  return {parts[0].toInt(), parts[1].toInt(), parts[2].toInt()};
}

void checkFont(const QWidget* widget, const char* wanted) {
  QString expected = QString::fromUtf8(wanted);
  if (expected.isEmpty()) expected = QStringLiteral("Times New Roman 9.75");
  const bool bold = expected.endsWith(QLatin1String(" bold"));
  if (bold) expected.chop(5);
  const qsizetype split = expected.lastIndexOf(QLatin1Char(' '));
  const QFont font = widget->font();
  QCOMPARE(font.family(), expected.left(split));
  QCOMPARE(font.pointSizeF(), expected.mid(split + 1).toDouble());
  QCOMPARE(font.bold(), bold);
  QCOMPARE(font.italic(), false);
}

QString parentNameOf(const QWidget* widget) {
  const QWidget* parent = widget->parentWidget();
  return parent->objectName() == QLatin1String("Form1Canvas") ? QStringLiteral("Form1")
                                                                : parent->objectName();
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  RecordingRuntime runtime_;
  TestServices services_;
  std::unique_ptr<MainWindow> window_;

  template <typename T>
  T* child(const QString& name) {
    T* widget = window_->findChild<T*>(name);
    if (!widget) qFatal("no control %s", qPrintable(name));
    return widget;
  }

 private slots:
  void init() {
    runtime_ = RecordingRuntime();
    window_ = std::make_unique<MainWindow>(runtime_, services_.services());
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  }
  void cleanup() { window_.reset(); }

  void windowItself() {
    QCOMPARE(window_->objectName(), QStringLiteral("Form1"));
    QCOMPARE(window_->windowTitle(), QStringLiteral("VESPERA 3.3"));
    QCOMPARE(window_->centralWidget()->size(), QSize(781, 421));
    QVERIFY(!window_->windowIcon().isNull());
    checkFont(window_->centralWidget(), "");
  }

  void fields() {
    for (const Expected& e : kFields) {
      auto* box = child<QLineEdit>(QString::fromLatin1(e.name));
      QCOMPARE(parentNameOf(box), QString::fromLatin1(e.parent));
      QCOMPARE(box->geometry(), pixels(e.left, e.top, e.width, e.height));
      checkFont(box, e.font);
      if (*e.colour) {
        QCOMPARE(box->palette().color(QPalette::Base), colourOf(e.colour));
      } else {
        QCOMPARE(box->palette().color(QPalette::Base),
                 QApplication::palette().color(QPalette::Base));
      }
      QVERIFY(!box->isReadOnly());
      QCOMPARE(box->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
      QCOMPARE(box->text(),
               e.name == QByteArrayView("NomeFile") ? QStringLiteral("C:\\.txt") : QString());
    }
  }

  void labels() {
    for (const ExpectedLabel& e : kLabels) {
      auto* label = child<QLabel>(QString::fromLatin1(e.name));
      QCOMPARE(label->text(), QString::fromUtf8(e.caption));
      QCOMPARE(parentNameOf(label), QString::fromLatin1(e.parent));
      QCOMPARE(label->geometry(), pixels(e.left, e.top, e.width, e.height));
      checkFont(label, e.font);
      QCOMPARE(bool(label->alignment() & Qt::AlignHCenter), e.centred);
      QVERIFY(label->wordWrap());
      QVERIFY(label->autoFillBackground());
    }
  }

  void groups() {
    struct Group { const char* name; const char* caption; int l, t, w, h; bool grey; };
    const Group groups[] = {
        {"Frame1", "Calcolo diametro con dimensione angolare", 7920, 120, 3735, 1935, false},
        {"Frame3", "Trasporto dati sù distanza Parsec", 7920, 2040, 3735, 4215, true},
        {"Frame2", "Calcolo temperatura valido con B-V tra 0 e 2", 1440, 5280, 6375, 975, false},
    };
    for (const Group& g : groups) {
      auto* group = child<QGroupBox>(QString::fromLatin1(g.name));
      QCOMPARE(group->title(), QString::fromUtf8(g.caption));
      QCOMPARE(group->geometry(), pixels(g.l, g.t, g.w, g.h));
      checkFont(group, "Times New Roman 9.75 bold");
      QCOMPARE(group->autoFillBackground(), g.grey);
      if (g.grey) QCOMPARE(group->palette().color(QPalette::Window), QColor(192, 192, 192));
    }
  }

  void buttons() {
    for (const ExpectedButton& e : kButtons) {
      auto* button = child<QPushButton>(QString::fromLatin1(e.name));
      QCOMPARE(button->text(), QString::fromUtf8(e.caption));
      QCOMPARE(parentNameOf(button), QString::fromLatin1(e.parent));
      QCOMPARE(button->geometry(), pixels(e.left, e.top, e.width, e.height));
      checkFont(button, e.font);
      const QString look = QString::fromLatin1(e.look);
      QCOMPARE(button->palette().color(QPalette::Button) == QColor(192, 192, 192),
               look == QLatin1String("grey"));
      QCOMPARE(!button->icon().isNull(), look == QLatin1String("picture"));
    }
  }

  void menus() {
    const auto* bar = window_->menuBar();
    const QList<QAction*> top = bar->actions();
    QCOMPARE(top.size(), 2);
    QCOMPARE(top[0]->text(), QStringLiteral("&File"));
    QCOMPARE(top[0]->menu()->objectName(), QStringLiteral("mnuFile"));
    QCOMPARE(top[1]->text(), QStringLiteral("&Aiuto"));
    QCOMPARE(top[1]->menu()->objectName(), QStringLiteral("mnuAiuto"));
    const QList<QAction*> file = top[0]->menu()->actions();
    QCOMPARE(file.size(), 1);
    QCOMPARE(file[0]->objectName(), QStringLiteral("mnuStampa"));
    QCOMPARE(file[0]->text(), QStringLiteral("&Stampa"));
    const QList<QAction*> help = top[1]->menu()->actions();
    QCOMPARE(help.size(), 2);
    QCOMPARE(help[0]->objectName(), QStringLiteral("mnuManuale"));
    QCOMPARE(help[0]->text(), QStringLiteral("&Manuale"));
    QCOMPARE(help[1]->objectName(), QStringLiteral("mnuProdotto"));
    QCOMPARE(help[1]->text(), QStringLiteral("&Prodotto"));
    for (QAction* action : file + help) QVERIFY(action->shortcut().isEmpty());
  }

  // Tab walks the stops in the order of their tab indices: the first forty
  // presets, then the inputs and the command column, and so on to Text19.
  void tabOrder() {
    QStringList expected;
    for (int n = 1; n <= 40; ++n) expected << QStringLiteral("Command%1").arg(n);
    expected << "Text1" << "Text2" << "Command41" << "Text3" << "Command42";
    for (int n = 43; n <= 48; ++n) expected << QStringLiteral("Command%1").arg(n);
    expected << "Text4" << "Text5" << "Text6";
    for (int n = 49; n <= 84; ++n) expected << QStringLiteral("Command%1").arg(n);
    expected << "NomeFile";
    for (int n = 85; n <= 95; ++n) expected << QStringLiteral("Command%1").arg(n);
    expected << "Command96" << "Text7" << "Text8" << "Text9" << "Command97" << "Text10"
             << "Command98" << "Command99" << "Command100" << "Text11" << "Text13" << "Text14"
             << "Command101" << "Text12" << "Command102" << "Command103" << "Command104"
             << "Command105" << "Text15" << "Command106" << "Command107" << "Text16" << "Text17"
             << "Text18" << "Command109" << "Command108" << "Command110" << "Command111"
             << "Text19";

    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Command1"));
    QStringList walked{QApplication::focusWidget()->objectName()};
    for (int i = 1; i < expected.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      walked << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(walked, expected);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Command1"));
  }

  // The 91 presets on the window: the grid read column by column, the sizes
  // with their exceptions, the colour bands, the font and the pair written.
  void presets() {
    QList<QList<int>> columns(7);
    columns[0] = {1000, 1300, 1500, 1800, 2000, 2300, 2500, 2800, 3000, 3200, 3400, 3500, 3750,
                  4000, 4250, 4500, 4750};
    for (int t = 5000; t <= 9000; t += 250) columns[1] << t;
    columns[2] = {9250, 9500, 9750, 10000};
    for (int t = 10500; t <= 16500; t += 500) columns[2] << t;
    for (int t = 17000; t <= 21500; t += 500) columns[3] << t;
    for (int t = 22000; t <= 26500; t += 500) columns[4] << t;
    for (int t = 27000; t <= 30000; t += 500) columns[5] << t;
    columns[5] << 31000 << 32000 << 33000;
    for (int t = 34000; t <= 43000; t += 1000) columns[6] << t;

    const auto band = [](int k) -> QColor {
      if (k == 1000) return {64, 0, 0};
      if (k <= 1800) return {128, 0, 0};
      if (k <= 2800) return {192, 0, 0};
      if (k <= 3400) return {255, 0, 0};
      if (k <= 3750) return {255, 128, 128};
      if (k <= 4250) return {255, 192, 128};
      if (k <= 5250) return {255, 255, 128};
      if (k <= 5750) return {255, 255, 192};
      if (k <= 6250) return {192, 255, 192};
      if (k <= 7250) return {192, 255, 255};
      if (k <= 8250) return {192, 192, 255};
      if (k <= 13000) return {255, 192, 255};
      if (k <= 20000) return {255, 128, 255};
      if (k <= 25000) return {255, 0, 255};
      if (k <= 30000) return {192, 0, 192};
      if (k <= 42000) return {128, 0, 128};
      return {64, 0, 64};
    };

    QHash<QString, QPushButton*> byCaption;
    for (QPushButton* button : window_->findChildren<QPushButton*>()) {
      bool number = false;
      button->text().toInt(&number);
      if (number) byCaption.insert(button->text(), button);
    }
    QCOMPARE(byCaption.size(), 91);

    int count = 0;
    for (int c = 0; c < 7; ++c) {
      const int firstRow = c < 3 ? 0 : 7;
      QCOMPARE(columns[c].size(), 17 - firstRow);
      for (int r = 0; r < columns[c].size(); ++r) {
        const int kelvin = columns[c][r];
        QPushButton* button = byCaption.value(QString::number(kelvin));
        QVERIFY2(button, qPrintable(QString::number(kelvin)));
        const bool small = kelvin <= 3400;
        const int width = small || kelvin == 34000 ? 972 : 975;
        const int height = small ? 192 : 195;
        QCOMPARE(button->geometry(),
                 pixels(360 + 1080 * c, 1200 + 240 * (firstRow + r), width, height));
        QCOMPARE(button->palette().color(QPalette::Button), band(kelvin));
        checkFont(button, "MS Sans Serif 8.25");
        QCOMPARE(parentNameOf(button), QStringLiteral("Form1"));

        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(child<QLineEdit>(QStringLiteral("Text7"))->text(), QString::number(kelvin));
        ++count;
      }
    }
    QCOMPARE(count, 91);
    QVERIFY(runtime_.messages.isEmpty());
  }

  // Resizing the window moves and resizes nothing.
  void resizingMovesNothing() {
    auto* text4 = child<QLineEdit>(QStringLiteral("Text4"));
    auto* preset = child<QPushButton>(QStringLiteral("Command40"));
    const QRect before4 = text4->geometry();
    const QRect beforePreset = preset->geometry();
    window_->resize(1200, 800);
    QCoreApplication::processEvents();
    QCOMPARE(text4->geometry(), before4);
    QCOMPARE(preset->geometry(), beforePreset);
    window_->resize(400, 300);
    QCoreApplication::processEvents();
    QCOMPARE(text4->geometry(), before4);
  }

  // A user's whole calculation with the keyboard and the mouse.
  void presetTypeAndCalculate() {
    QTest::mouseClick(child<QPushButton>(QStringLiteral("Command55")), Qt::LeftButton);
    QCOMPARE(child<QLineEdit>(QStringLiteral("Text1"))->text(), QStringLiteral("50.7"));
    QCOMPARE(child<QLineEdit>(QStringLiteral("Text7"))->text(), QStringLiteral("5750"));

    auto* apparent = child<QLineEdit>(QStringLiteral("Text2"));
    apparent->setFocus();
    QTest::keyClicks(apparent, QStringLiteral("4.83"));
    QTest::keyClick(apparent, Qt::Key_Tab);  // on to CALCOLA, then to the distance
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Text3"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("10"));

    // CALCOLA by the keyboard: focus it and press the space bar.
    auto* calculate = child<QPushButton>(QStringLiteral("Command41"));
    calculate->setFocus();
    QTest::keyClick(calculate, Qt::Key_Space);

    const QStringList results{"Text4", "Text5", "Text6", "Text11", "Text12", "Text15", "Text16"};
    const QStringList expected{"1548478941.99956", "4.83", "1.11321275485231", "100",
                               "32.6156", "2062650", "308600000000000"};
    for (int i = 0; i < results.size(); ++i) {
      QCOMPARE(child<QLineEdit>(results[i])->text(), expected[i]);
    }
    QVERIFY(runtime_.messages.isEmpty());
    QVERIFY(runtime_.errors.isEmpty());

    child<QLineEdit>(QStringLiteral("Text19"))->setText(QStringLiteral("G2V"));
    QTest::mouseClick(child<QPushButton>(QStringLiteral("Command51")), Qt::LeftButton);
    for (Field field : kAllFields) {
      const QString text = child<QLineEdit>(fieldName(field))->text();
      if (field == Field::Text19) QCOMPARE(text, QStringLiteral("G2V"));
      else if (field == Field::NomeFile) QCOMPARE(text, QStringLiteral("C:\\.txt"));
      else QVERIFY2(text.isEmpty(), qPrintable(fieldName(field)));
    }
  }

  // Empty inputs on the real window: three warnings, then the fault, and the
  // window goes on working.
  void warningsAndFaultOnTheWindow() {
    QTest::mouseClick(child<QPushButton>(QStringLiteral("Command41")), Qt::LeftButton);
    QCOMPARE(runtime_.messages.size(), 3);
    QCOMPARE(runtime_.errors.size(), 1);
    QVERIFY(child<QLineEdit>(QStringLiteral("Text4"))->text().isEmpty());
    QTest::mouseClick(child<QPushButton>(QStringLiteral("Command1")), Qt::LeftButton);
    QCOMPARE(child<QLineEdit>(QStringLiteral("Text1"))->text(), QStringLiteral("52.8"));
  }

  void screenshot() {
    const QString folder = qEnvironmentVariable("VESPERA_TEST_OUTPUT", QDir::tempPath());
    QDir().mkpath(folder);
    const QString path = folder + QStringLiteral("/main-window.png");
    QVERIFY(window_->grab().save(path));
    QVERIFY(QFileInfo(path).size() > 1000);
  }
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setStyle(QStringLiteral("Fusion"));
  installFontSubstitutes();
  MainWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_main_window.moc"
