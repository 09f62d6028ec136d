// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/number_text.h"
#include "support/test_window.h"

#include <limits>
#include <stdexcept>

using namespace vespera;

namespace {

const QString kWarning = QStringLiteral(
    "Il programma v\u00E0 in errore, la prossima volta inserisci sempre un valore su tutte le "
    "caselle di testo bianche.");

// "Text1=50.7;Text3=10" names field texts; "*=x" gives every field the text x. On a
// comma machine each period becomes a comma: typed so, and written so.
QMap<Field, QString> fieldTexts(const QString& list, QChar separator) {
  QMap<Field, QString> texts;
  for (const QString& item : list.split(u';', Qt::SkipEmptyParts)) {
    const QString name = item.section(u'=', 0, 0);
    const QString text = item.section(u'=', 1).replace(u'.', separator);
    if (name == QLatin1String("*")) {
      for (Field field : kAllFields) texts[field] = text;
    } else {
      const auto field = fieldOfControl(name.toStdString());
      if (!field) throw std::invalid_argument("no text box " + name.toStdString());
      texts[*field] = text;
    }
  }
  return texts;
}

}  // namespace

class CalculationsTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TestWindow> period_, comma_;

  // One row, run on a period machine and, where `bothLocales`, on a comma machine.
  static void add(const char* name, const char* buttons, const char* typed, const char* shown,
                  int warnings = 0, const char* fault = "", bool bothLocales = true) {
    for (QChar separator : {QLatin1Char('.'), QLatin1Char(',')}) {
      if (separator == u',' && !bothLocales) break;
      QTest::addRow("%s %c", name, char(separator.unicode()))
          << separator << QString(buttons) << QString(typed) << QString(shown) << warnings
          << QString(fault);
    }
  }

 private slots:
  void initTestCase() {
    period_ = std::make_unique<TestWindow>(QLatin1Char('.'));
    comma_ = std::make_unique<TestWindow>(QLatin1Char(','));
  }

  // Every documented example, typed into the window and pressed. All fields are then
  // checked: those named hold these texts, every other one what it held before.
  void examples_data() {
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("buttons");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("warnings");
    QTest::addColumn<QString>("fault");
    const char* results10pc = "Text11=100;Text12=32.6156;Text15=2062650;Text16=308600000000000";
    add("typical request", "Command55+ Command41+", "Text2=4.83;Text3=10",
        "Text1=50.7;Text7=5750;Text4=1548478941.99956;Text5=4.83;Text6=1.11321275485231;"
        "Text11=100;Text12=32.6156;Text15=2062650;Text16=308600000000000");
    add("1 pc", "Command41", "Text1=50.7;Text2=4.83;Text3=1",
        "Text4=156274949.574858;Text5=9.83;Text6=0.112347195956044;Text11=1000;"
        "Text12=3.26156;Text15=206265;Text16=30860000000000");
    add("100 pc", "Command41", "Text1=47;Text2=1;Text3=100",
        "Text4=16286120894.0202;Text5=-4;Text6=11.7082105636378;Text11=10;Text12=326.156;"
        "Text15=20626500;Text16=3.086E+15");
    add("light years into CALCOLA", "Command102 Command41", "Text12=1.63078;Text1=50.7;Text2=4.83",
        "Text3=0.5;Text4=78353552.9661854;Text5=11.3351499783199;Text6=0.056328938149666;"
        "Text11=2000;Text15=103132.5;Text16=15430000000000");
    const QByteArray emptySurface =
        "Text4=0.123112942115432;Text5=4.83;Text6=8.8506788005343E-11;" + QByteArray(results10pc);
    add("empty surface warned", "Command41", "Text2=4.83;Text3=10", emptySurface, 1);
    add("blank surface not warned", "Command41", "Text1= ;Text2=4.83;Text3=10", emptySurface);
    add("all empty", "Command41", "", "", 3, "logaritmo di un numero minore o uguale a zero");
    add("negative distance", "Command41", "Text1=50.7;Text2=4.83;Text3=-5", "", 0,
        "logaritmo di un numero minore o uguale a zero");
    add("power of ten overflows", "Command41", "Text1=800;Text2=4.83;Text3=10", "", 0, "overflow");
    add("kilometres overflow last", "Command41", "Text1=-1E300;Text2=4.83;Text3=1E295",
        "Text4=0;Text5=-1465.17;Text6=0;Text11=1E-292;Text12=3.26156E+295;Text15=2.06265E+300", 0,
        "overflow");
    add("RESET then CALCOLA", "Command51 Command41", "*=x",
        "Text1=;Text2=;Text3=;Text4=;Text5=;Text6=;Text7=;Text8=;Text9=;Text10=;Text11=;"
        "Text12=;Text13=;Text14=;Text15=;Text16=;Text17=;Text18=",
        3, "logaritmo di un numero minore o uguale a zero");

    add("parallax 100", "Command99+", "Text11=100;Text3=7", "Text3=10");
    add("parallax -50", "Command99", "Text11=-50", "Text3=-20");
    add("parallax empty", "Command99", "Text3=7", "", 0, "divisione per zero");
    add("parallax 0", "Command99", "Text11=0;Text3=7", "", 0, "divisione per zero");
    add("parallax with a comma", "Command99", "Text11=100,7", "Text3=10", 0, "", false);
    add("light years 32.6156", "Command102", "Text12=32.6156", "Text3=10");
    add("light years empty", "Command102", "Text3=7", "Text3=0");
    add("astronomical units", "Command104", "Text15=2062650", "Text3=10");
    add("kilometres", "Command106", "Text16=3.086E14", "Text3=10");
    add("parallax RESET", "Command100", "*=x", "Text11=");
    add("light-year RESET", "Command103", "*=x", "Text12=");
    add("astronomical-unit RESET", "Command105", "*=x", "Text15=");
    add("kilometre RESET", "Command107", "*=x", "Text16=");

    add("30 arc minutes", "Command108", "Text17=30", "Text13=0.5");
    add("36 arc seconds", "Command109", "Text18=36", "Text13=0.01");
    add("the later arrow wins", "Command108 Command109", "Text17=30;Text18=36", "Text13=0.01");
    add("angle 1, 1 pc", "Command101", "Text13=1;Text3=1", "Text14=538663303684.794");
    add("angle -1, 1 pc", "Command101", "Text13=-1;Text3=1", "Text14=-538663303684.794");
    add("no angle", "Command101", "Text3=1", "Text14=0");
    add("distance from the parallax", "Command99 Command101", "Text11=100;Text13=0.5",
        "Text3=10;Text14=2693111400228.16");
    add("angular overflow", "Command101", "Text13=1;Text3=1E300;Text14=7", "", 0, "overflow");

    add("B-V 0.65", "Command111", "Text8=1.5;Text9=0.85", "Text10=0.65");
    add("B-V -1", "Command111", "Text8=5;Text9=6", "Text10=-1");
    add("B-V of two doubles", "Command111", "Text8=10.2;Text9=9.5", "Text10=0.699999999999999");
    add("B-V overflow", "Command111", "Text8=1E308;Text9=-1E308;Text10=7", "", 0, "overflow");
    add("B-V into a temperature", "Command111 Command96", "Text8=1.5;Text9=0.85",
        "Text10=0.65;Text7=5933.95421523667");
    add("temperature at B-V 1", "Command96", "Text10=1", "Text7=4768.02761687574");
    add("temperature at B-V 2", "Command96", "Text10=2", "Text7=2552.08232477487");
    add("temperature at B-V 3", "Command96", "Text10=3", "Text7=1365.99967864616");
    add("temperature at B-V -0.3", "Command96", "Text10=-0.3", "Text7=10745.2387476167");
    add("temperature at no B-V", "Command96", "", "Text7=8908.05407591829");
    add("temperature beyond doubles", "Command96", "Text10=-2000;Text7=7", "", 0, "overflow");
    add("B-V RESET", "Command97", "*=x", "Text7=;Text8=;Text9=;Text10=");

    add("preset 5500", "Command44", "Text1=3", "Text1=50.9;Text7=5500");
    add("preset 20000", "Command17", "", "Text1=47;Text7=20000");
    add("preset 41000", "Command38", "", "Text1=46;Text7=41000");
    add("preset 38000", "Command35", "", "Text1=46.015;Text7=38000");
    add("preset 40000", "Command37", "", "Text1=46.005;Text7=40000");
    add("preset 1000 then 43000", "Command85 Command40", "", "Text1=45.99;Text7=43000");
    add("preset after B-V", "Command96 Command85", "Text10=0", "Text1=74;Text7=1000");
  }

  void examples() {
    QFETCH(QChar, separator);
    QFETCH(QString, buttons);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(int, warnings);
    QFETCH(QString, fault);
    TestWindow& window = separator == u'.' ? *period_ : *comma_;
    window.runtime.messages.clear();
    window.runtime.errors.clear();
    QMap<Field, QString> expected;
    for (Field field : kAllFields) {
      expected[field] = field == Field::FileName ? QStringLiteral("C:\\.txt") : QString();
      window.box(field)->setText(expected[field]);
    }
    for (const auto& [field, text] : fieldTexts(typed, separator).asKeyValueRange()) {
      window.type(field, text);
      expected[field] = text;
    }
    for (const QString& button : buttons.split(u' ')) window.press(button);
    expected.insert(fieldTexts(shown, separator));

    for (Field field : kAllFields) {
      QVERIFY2(window.box(field)->text() == expected[field],
               qPrintable(qs(controlOf(field)) + " holds " + window.box(field)->text()));
    }
    QCOMPARE(int(window.runtime.messages.size()), warnings);
    for (const auto& message : window.runtime.messages) {
      QCOMPARE(qs(message.prompt), kWarning);
      QCOMPARE(message.flags, int(kNoIcon));
      QCOMPARE(qs(message.title), QStringLiteral("Vespera 3.3"));
    }
    const QStringList faults{QStringLiteral("Errore di run-time: ") + fault};
    QCOMPARE(qs(window.runtime.errors), fault.isEmpty() ? QStringList() : faults);
  }

  // The 91 temperature buttons, each pressed once on a comma machine. Their table is the
  // program's own; instead of a copy of it, what must hold across it is checked (their names,
  // each once, the window's Tab order holds).
  void presets() {
    TestWindow& window = *comma_;
    QMap<int, QString> magnitudeAt;
    QList<QPushButton*> presets;
    for (QPushButton* button : window.window.findChildren<QPushButton*>()) {
      bool isNumber = false;
      const int kelvin = button->text().toInt(&isNumber);
      if (!isNumber) continue;
      window.box(Field::TemperatureKelvin)->clear();
      QTest::mouseClick(button, Qt::LeftButton);
      QCOMPARE(window.box(Field::TemperatureKelvin)->text(), button->text());
      magnitudeAt[kelvin] = window.box(Field::SurfaceMagnitude)->text();
      presets << button;
    }
    QCOMPARE(magnitudeAt.size(), 91);

    // From 74 down to 45.99, falling at every step up in temperature; only nine are whole.
    double cooler = std::numeric_limits<double>::infinity();
    QStringList whole;
    for (const QString& magnitude : magnitudeAt) {
      const double value = parseNumber(magnitude.toStdString(), ",");
      QVERIFY2(value < cooler, qPrintable(magnitude));
      cooler = value;
      if (!magnitude.contains(u',')) whole << magnitude;
    }
    QCOMPARE(magnitudeAt.first(), QStringLiteral("74"));
    QCOMPARE(magnitudeAt.last(), QStringLiteral("45,99"));
    QCOMPARE(whole, QStringList({"74", "71", "69", "66", "64", "62", "52", "47", "46"}));

    // Temperatures rise down each column and on to the next; every column ends on one row.
    std::ranges::sort(presets, {}, [](QPushButton* b) { return std::pair(b->x(), b->y()); });
    QMap<int, int> lowestInColumn;
    for (qsizetype i = 0; i < presets.size(); ++i) {
      if (i > 0) QVERIFY(presets[i]->text().toInt() > presets[i - 1]->text().toInt());
      lowestInColumn[presets[i]->x()] = presets[i]->y();
    }
    QCOMPARE(lowestInColumn.size(), 7);
    QCOMPARE(QSet<int>(lowestInColumn.begin(), lowestInColumn.end()).size(), 1);
  }

  // Field text to number and back: the number at the start of the text, and at most 15
  // significant digits in the shortest form, on either kind of machine.
  void numberText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("written");  // empty: the text is only read
    const QChar p('.'), c(',');
    QTest::newRow("empty") << "" << p << 0.0 << "0";
    QTest::newRow("letters") << "abc" << p << 0.0 << "";
    QTest::newRow("a lone comma") << "," << p << 0.0 << "";
    QTest::newRow("blank, number, letters") << " 12.5xyz" << p << 12.5 << "";
    QTest::newRow("comma on a period machine") << "52,8" << p << 52.0 << "";
    QTest::newRow("comma on a comma machine") << "52,8" << c << 52.8 << "52,8";
    QTest::newRow("period on a comma machine") << "52.8" << c << 52.8 << "";
    QTest::newRow("negative fraction") << "-0.3" << p << -0.3 << "-0.3";
    QTest::newRow("plus and a leading point") << "+.5" << p << 0.5 << "";
    QTest::newRow("exponent") << "1E3" << p << 1000.0 << "1000";
    QTest::newRow("small exponent") << "1e-5" << p << 1e-5 << "1E-05";
    QTest::newRow("exponent without digits") << "1.5E+" << p << 1.5 << "";
    QTest::newRow("ten digits") << "1.391E+09" << p << 1.391e9 << "1391000000";
    QTest::newRow("fifteen digits") << "3.086E+15" << p << 3.086e15 << "3.086E+15";
    QTest::newRow("fifteen-digit rounding")
        << "0.1234567890123456" << p << 0.1234567890123456 << "0.123456789012346";
    QTest::newRow("largest double as written")
        << "-1.79769313486232E+308" << p << -std::numeric_limits<double>::max()
        << "-1.79769313486232E+308";
    QTest::newRow("below the doubles") << "1E-400" << p << 0.0 << "";
    QTest::newRow("negative zero") << "-0" << p << -0.0 << "0";
  }

  void numberText() {
    QFETCH(QString, text);
    QFETCH(QChar, separator);
    QFETCH(double, value);
    QFETCH(QString, written);
    const std::string point = QString(separator).toStdString();
    QCOMPARE(parseNumber(text.toStdString(), point), value);
    if (!written.isEmpty()) QCOMPARE(qs(formatNumber(value, point)), written);
  }
};

QTEST_MAIN(CalculationsTest)
#include "test_calculations.moc"
