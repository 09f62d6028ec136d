#include "calc/bv_temperature.h"
#include "calc/presets.h"
#include "core/handler.h"
#include "core/number_text.h"
#include "core/recording_runtime.h"
#include "support/field_checks.h"

#include <QtTest>

#include <cmath>

using namespace vespera;

namespace {

int significantDigits(const QString& text) {
  QString mantissa = text.section(QLatin1Char('E'), 0, 0);
  mantissa.remove(QRegularExpression(QStringLiteral("[^0-9]")));
  while (mantissa.startsWith(QLatin1Char('0'))) mantissa.remove(0, 1);
  return int(mantissa.size());
}

}  // namespace

class BvTemperatureTest : public QObject {
  Q_OBJECT

 private slots:
  // "Calcola (B-V)": B minus V into Text10.
  void colourIndex_data() {
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("v");
    QTest::addColumn<QString>("colourIndex");
    const auto add = [](const char* name, const QString& b, const QString& v,
                        const QString& index) {
      for (const QChar separator : {QChar('.'), QChar(',')}) {
        QTest::addRow("%s [%c]", name, separator.toLatin1())
            << separator << withSeparator(b, separator) << withSeparator(v, separator)
            << withSeparator(index, separator);
      }
    };
    add("B 1.5, V 0.85", "1.5", "0.85", "0.65");
    add("B 5, V 6", "5", "6", "-1");
    add("both empty", "", "", "0");
    add("B empty", "", "0.4", "-0.4");
    add("V not a number", "12.3", "V?", "12.3");
    // The difference of the two doubles, to fifteen digits: not 0.7.
    add("B 10.2, V 9.5", "10.2", "9.5", "0.699999999999999");
    QTest::newRow("periods typed on a comma locale") << QChar(',') << "1.5" << "0.85" << "0,65";
  }

  void colourIndex() {
    QFETCH(QChar, separator);
    QFETCH(QString, b);
    QFETCH(QString, v);
    QFETCH(QString, colourIndex);
    MemoryFieldStore store;
    RecordingRuntime runtime(separator);
    for (Field field : kAllFields) store.setText(field, QStringLiteral("old"));
    store.setText(Field::Text8, b);
    store.setText(Field::Text9, v);
    const QStringList before = allTexts(store);
    runHandler(Command111_Click, store, runtime);
    QVERIFY2(runtime.errors.isEmpty(), qPrintable(runtime.errors.value(0)));
    QVERIFY(runtime.messages.isEmpty());
    QCOMPARE(store.text(Field::Text10), colourIndex);
    verifyOnlyChanged(store, before, Field::Text10);
  }

  // "CALCOLA": log10 T = (14.551 - (B-V)) / 3.684. The expected kelvins are
  // given to ten significant digits; the field holds up to fifteen.
  void temperature_data() {
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("colourIndex");
    QTest::addColumn<double>("kelvin");
    const auto add = [](const char* name, const QString& index, double kelvin) {
      for (const QChar separator : {QChar('.'), QChar(',')}) {
        QTest::addRow("%s [%c]", name, separator.toLatin1())
            << separator << withSeparator(index, separator) << kelvin;
      }
    };
    add("0.65", "0.65", 5933.954215);
    add("0", "0", 8908.054076);
    add("1", "1", 4768.027617);
    add("2", "2", 2552.082325);
    add("empty reads as 0", "", 8908.054076);
    add("3, beyond the caption's range", "3", 1365.999679);
    add("-0.3, beyond the caption's range", "-0.3", 10745.23875);
    add("blank reads as 0", " ", 8908.054076);
  }

  void temperature() {
    QFETCH(QChar, separator);
    QFETCH(QString, colourIndex);
    QFETCH(double, kelvin);
    MemoryFieldStore store;
    RecordingRuntime runtime(separator);
    for (Field field : kAllFields) store.setText(field, QStringLiteral("old"));
    store.setText(Field::Text10, colourIndex);
    const QStringList before = allTexts(store);
    runHandler(Command96_Click, store, runtime);
    QVERIFY2(runtime.errors.isEmpty(), qPrintable(runtime.errors.value(0)));
    const QString written = store.text(Field::Text7);
    const double got = parseNumber(written, separator);
    QVERIFY2(std::abs(got - kelvin) <= kelvin * 1e-9, qPrintable(written));
    // Not rounded to whole kelvin: the full fifteen digits, in the user's
    // decimal separator.
    QCOMPARE(significantDigits(written), 15);
    QCOMPARE(written.contains(separator), true);
    QCOMPARE(written.contains(separator == QChar('.') ? QChar(',') : QChar('.')), false);
    // Text1 too is left alone, unlike a temperature preset.
    verifyOnlyChanged(store, before, Field::Text7);
  }

  // On a comma locale the colour index is written 0,65 and the temperature
  // button reads it back as 0.65, not as 0.
  void colourIndexFeedsTheTemperature_data() {
    QTest::addColumn<QChar>("separator");
    QTest::newRow("period locale") << QChar('.');
    QTest::newRow("comma locale") << QChar(',');
  }

  void colourIndexFeedsTheTemperature() {
    QFETCH(QChar, separator);
    MemoryFieldStore store;
    RecordingRuntime runtime(separator);
    store.setText(Field::Text8, QStringLiteral("1.5"));
    store.setText(Field::Text9, QStringLiteral("0.85"));
    runHandler(Command111_Click, store, runtime);
    QCOMPARE(store.text(Field::Text10), withSeparator("0.65", separator));
    runHandler(Command96_Click, store, runtime);
    QVERIFY2(runtime.errors.isEmpty(), qPrintable(runtime.errors.value(0)));
    QCOMPARE(store.text(Field::Text7).left(9), withSeparator("5933.9542", separator));
  }

  // A difference or a temperature beyond the double range stops the handler;
  // its field keeps its text.
  void faults_data() {
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("v");
    QTest::addColumn<QString>("colourIndex");
    QTest::addColumn<bool>("temperatureStep");
    const QString none;
    QTest::newRow("difference beyond the range") << "1.7E308" << "-1.7E308" << none << false;
    QTest::newRow("B beyond the range") << "1E400" << "1" << none << false;
    QTest::newRow("V beyond the range") << "1" << "-1E309" << none << false;
    QTest::newRow("temperature of B-V -1122") << none << none << "-1122" << true;
    QTest::newRow("temperature of B-V -1E300") << none << none << "-1E300" << true;
    QTest::newRow("colour index beyond the range") << none << none << "1E400" << true;
  }

  void faults() {
    QFETCH(QString, b);
    QFETCH(QString, v);
    QFETCH(QString, colourIndex);
    QFETCH(bool, temperatureStep);
    MemoryFieldStore store;
    RecordingRuntime runtime;
    store.setText(Field::Text8, b);
    store.setText(Field::Text9, v);
    store.setText(Field::Text10, temperatureStep ? colourIndex : QStringLiteral("0.5"));
    store.setText(Field::Text7, QStringLiteral("5800"));
    const QStringList before = allTexts(store);
    runHandler(temperatureStep ? Command96_Click : Command111_Click, store, runtime);
    QCOMPARE(runtime.errors, QStringList{QStringLiteral("Errore di run-time: overflow")});
    QCOMPARE(allTexts(store), before);
  }

  // Near the edge of the range: -1121 still has a temperature, and a very
  // red star's is so small that it is written as 0, without a fault.
  void edgesOfTheRange_data() {
    QTest::addColumn<QString>("colourIndex");
    QTest::addColumn<QString>("kelvin");
    QTest::newRow("-1121") << "-1121" << "1.73220524202296E+308";
    QTest::newRow("1200") << "1200" << "1.63041663127611E-322";
    QTest::newRow("1E300") << "1E300" << "0";
  }

  void edgesOfTheRange() {
    QFETCH(QString, colourIndex);
    QFETCH(QString, kelvin);
    MemoryFieldStore store;
    RecordingRuntime runtime;
    store.setText(Field::Text10, colourIndex);
    runHandler(Command96_Click, store, runtime);
    QVERIFY2(runtime.errors.isEmpty(), qPrintable(runtime.errors.value(0)));
    QCOMPARE(store.text(Field::Text7), kelvin);
  }

  // "RESET" empties the panel's four fields, Text7 whoever wrote it, and
  // leaves the surface magnitude a preset wrote.
  void resetAfterPreset() {
    MemoryFieldStore store;
    RecordingRuntime runtime;
    for (Field field : kAllFields) store.setText(field, fieldName(field) + QStringLiteral(" 1.5"));
    for (const TemperaturePreset& preset : temperaturePresets()) {
      if (preset.kelvin == 5750) pressPreset(preset, store, runtime);
    }
    QCOMPARE(store.text(Field::Text7), QStringLiteral("5750"));
    runHandler(Command97_Click, store, runtime);
    for (Field field : kAllFields) {
      const bool emptied = field == Field::Text7 || field == Field::Text8 ||
                           field == Field::Text9 || field == Field::Text10;
      QString expected = emptied ? QString() : fieldName(field) + QStringLiteral(" 1.5");
      if (field == Field::Text1) expected = QStringLiteral("50.7");
      QCOMPARE(store.text(field), expected);
    }
    QVERIFY(runtime.messages.isEmpty());
    QVERIFY(runtime.errors.isEmpty());
  }
};

QTEST_APPLESS_MAIN(BvTemperatureTest)
#include "test_bv_temperature.moc"
