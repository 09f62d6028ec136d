#include "calc/diameter.h"
#include "calc/distance_units.h"
#include "core/handler.h"
#include "core/number_text.h"
#include "core/recording_runtime.h"
#include "support/field_checks.h"

#include <QtTest>

#include <map>

using namespace vespera;

namespace {

struct Row {
  Field input;
  Handler convert;
  Handler reset;
};

// The four rows of the panel by their "CALCOLA" button.
const std::map<int, Row>& rows() {
  static const std::map<int, Row> table = {
      {99, {Field::Text11, Command99_Click, Command100_Click}},
      {102, {Field::Text12, Command102_Click, Command103_Click}},
      {104, {Field::Text15, Command104_Click, Command105_Click}},
      {106, {Field::Text16, Command106_Click, Command107_Click}},
  };
  return table;
}

// One example as the user of a period locale types it, and the same example
// on a comma locale, where both the typed number and the result use a comma.
void addInBothLocales(const char* name, int button, const QString& input, const QString& parsecs) {
  for (const QChar separator : {QChar('.'), QChar(',')}) {
    QTest::addRow("%s [%c]", name, separator.toLatin1())
        << separator << button << withSeparator(input, separator)
        << withSeparator(parsecs, separator);
  }
}

}  // namespace

class DistanceUnitsTest : public QObject {
  Q_OBJECT

 private slots:
  void convert_data() {
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("parsecs");
    addInBothLocales("parallax 100", 99, "100", "10");
    addInBothLocales("parallax 2.5", 99, "2.5", "400");
    addInBothLocales("parallax 1000", 99, "1000", "1");
    addInBothLocales("parallax -50", 99, "-50", "-20");
    addInBothLocales("light years 3.26156", 102, "3.26156", "1");
    addInBothLocales("light years 32.6156", 102, "32.6156", "10");
    addInBothLocales("light years 10", 102, "10", "3.06601748856375");
    addInBothLocales("light years half a parsec", 102, "1.63078", "0.5");
    addInBothLocales("astronomical units 206265", 104, "206265", "1");
    addInBothLocales("astronomical units 2062650", 104, "2062650", "10");
    addInBothLocales("astronomical units 1000000", 104, "1000000", "4.84813225704797");
    addInBothLocales("kilometres 3.086E13", 106, "3.086E13", "1");
    addInBothLocales("kilometres 3.086E14", 106, "3.086E14", "10");
    addInBothLocales("kilometres 4E13", 106, "4E13", "1.29617627997408");
    addInBothLocales("empty light years", 102, "", "0");
    addInBothLocales("empty astronomical units", 104, "", "0");
    addInBothLocales("empty kilometres", 106, "", "0");
    addInBothLocales("kilometres not a number", 106, "circa", "0");
    addInBothLocales("negative light years", 102, "-32.6156", "-10");

    // A comma on a period locale ends the number; on a comma locale it is
    // the decimal point. A period is a decimal point everywhere.
    QTest::newRow("parallax 100,7 [.]") << QChar('.') << 99 << "100,7" << "10";
    QTest::newRow("parallax 100,7 [,]") << QChar(',') << 99 << "100,7" << "9,9304865938431";
    QTest::newRow("period typed on a comma locale")
        << QChar(',') << 102 << "1.63078" << "0,5";
  }

  void convert() {
    QFETCH(QChar, separator);
    QFETCH(int, button);
    QFETCH(QString, input);
    QFETCH(QString, parsecs);
    const Row& row = rows().at(button);
    MemoryFieldStore store;
    RecordingRuntime runtime(separator);
    for (Field field : kAllFields) store.setText(field, QStringLiteral("old"));
    store.setText(row.input, input);

    runHandler(row.convert, store, runtime);

    QVERIFY2(runtime.errors.isEmpty(), qPrintable(runtime.errors.value(0)));
    QVERIFY(runtime.messages.isEmpty());  // no empty-field warning on this panel
    QCOMPARE(store.text(Field::Text3), parsecs);
    // Only Text3 changes; the typed text stays exactly as it was.
    for (Field field : kAllFields) {
      if (field == Field::Text3) continue;
      QCOMPARE(store.text(field), field == row.input ? input : QStringLiteral("old"));
    }
  }

  // A parallax that reads as 0 is a division by zero; a number beyond the
  // double range is an overflow. Either way Text3 keeps its text.
  void faults_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("message");
    const QString divisionByZero = QStringLiteral("Errore di run-time: divisione per zero");
    const QString overflow = QStringLiteral("Errore di run-time: overflow");
    QTest::newRow("empty parallax") << 99 << "" << divisionByZero;
    QTest::newRow("parallax 0") << 99 << "0" << divisionByZero;
    QTest::newRow("parallax -0") << 99 << "-0" << divisionByZero;
    QTest::newRow("parallax that is not a number") << 99 << "abc" << divisionByZero;
    QTest::newRow("parallax under the smallest double") << 99 << "1E-400" << divisionByZero;
    QTest::newRow("parallax beyond the double range") << 99 << "1E400" << overflow;
    QTest::newRow("light years beyond the double range") << 102 << "1E400" << overflow;
    QTest::newRow("astronomical units beyond the double range") << 104 << "-1E400" << overflow;
    QTest::newRow("kilometres beyond the double range") << 106 << "1E999" << overflow;
  }

  void faults() {
    QFETCH(int, button);
    QFETCH(QString, input);
    QFETCH(QString, message);
    const Row& row = rows().at(button);
    for (const QChar separator : {QChar('.'), QChar(',')}) {
      MemoryFieldStore store;
      RecordingRuntime runtime(separator);
      store.setText(Field::Text3, QStringLiteral("7"));
      store.setText(row.input, input);
      runHandler(row.convert, store, runtime);
      QCOMPARE(runtime.errors, QStringList{message});
      QCOMPARE(store.text(Field::Text3), QStringLiteral("7"));
      QCOMPARE(store.text(row.input), input);
    }
  }

  // Each "RESET" empties its own row and nothing else.
  void reset_data() {
    QTest::addColumn<int>("button");
    for (const auto& [button, row] : rows()) {
      QTest::addRow("row of Command%d", button) << button;
    }
  }

  void reset() {
    QFETCH(int, button);
    const Row& row = rows().at(button);
    MemoryFieldStore store;
    RecordingRuntime runtime;
    for (Field field : kAllFields) store.setText(field, fieldName(field) + QStringLiteral(" 12.5"));
    runHandler(row.reset, store, runtime);
    for (Field field : kAllFields) {
      const QString expected = field == row.input ? QString() : fieldName(field) + " 12.5";
      QCOMPARE(store.text(field), expected);
    }
    QVERIFY(runtime.messages.isEmpty());
    QVERIFY(runtime.errors.isEmpty());
  }

  // The diameter calculation sends Text3 out into the four rows with the
  // same constants; every row brings it back. On a comma locale the rows
  // hold commas and still read back whole.
  void roundTripThroughTheDiameterCalculation_data() {
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("distance");
    for (const QChar separator : {QChar('.'), QChar(',')}) {
      for (const char* distance : {"10", "1.3", "0.5", "4.2", "2500", "0.001", "123456.789"}) {
        QTest::addRow("%s pc [%c]", distance, separator.toLatin1())
            << separator << withSeparator(distance, separator);
      }
    }
  }

  void roundTripThroughTheDiameterCalculation() {
    QFETCH(QChar, separator);
    QFETCH(QString, distance);
    const double parsecs = parseNumber(distance, separator);
    for (const auto& [button, row] : rows()) {
      MemoryFieldStore store;
      RecordingRuntime runtime(separator);
      store.setText(Field::Text1, QStringLiteral("50.7"));
      store.setText(Field::Text2, QStringLiteral("4.83"));
      store.setText(Field::Text3, distance);
      runHandler(Command41_Click, store, runtime);
      store.setText(Field::Text3, QString());
      runHandler(row.convert, store, runtime);
      QVERIFY2(runtime.errors.isEmpty(), qPrintable(runtime.errors.value(0)));
      const double back = parseNumber(store.text(Field::Text3), separator);
      QVERIFY2(std::abs(back - parsecs) <= parsecs * 1e-13,
               qPrintable(QStringLiteral("Command%1: %2 came back as %3")
                              .arg(button)
                              .arg(distance, store.text(Field::Text3))));
    }
  }

  // Half a parsec from light years on a comma locale is written 0,5 and the
  // diameter calculation reads it as half a parsec, not as 0.
  void commaDistanceFeedsTheDiameterCalculation() {
    MemoryFieldStore store;
    RecordingRuntime runtime(QChar(','));
    store.setText(Field::Text12, QStringLiteral("1,63078"));
    runHandler(Command102_Click, store, runtime);
    QCOMPARE(store.text(Field::Text3), QStringLiteral("0,5"));
    store.setText(Field::Text1, QStringLiteral("50,7"));
    store.setText(Field::Text2, QStringLiteral("4,83"));
    runHandler(Command41_Click, store, runtime);
    QVERIFY2(runtime.errors.isEmpty(), qPrintable(runtime.errors.value(0)));
    QCOMPARE(store.text(Field::Text11), QStringLiteral("2000"));
    QCOMPARE(store.text(Field::Text5), QStringLiteral("11,3351499783199"));
  }
};

QTEST_APPLESS_MAIN(DistanceUnitsTest)
#include "test_distance_units.moc"
