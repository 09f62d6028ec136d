#include "calc/diameter.h"
#include "core/handler.h"
#include "core/number_text.h"
#include "core/recording_runtime.h"

#include <QtTest>

using namespace vespera;

namespace {

// The seven results in the order the handler writes them.
constexpr Field kResults[] = {Field::Text4,  Field::Text5,  Field::Text6, Field::Text11,
                              Field::Text12, Field::Text15, Field::Text16};

void fill(MemoryFieldStore& store, const QStringList& inputs) {
  store.setText(Field::Text1, inputs[0]);
  store.setText(Field::Text2, inputs[1]);
  store.setText(Field::Text3, inputs[2]);
}

// An expected text is either the exact field text, or "~" and a value given to
// ten significant digits, or empty where the example says nothing.
void compareResult(Field field, const QString& actual, const QString& expected, QChar sep) {
  if (expected.isEmpty()) return;
  const QString what = fieldName(field) + ": " + actual + " vs " + expected;
  if (expected.startsWith(QLatin1Char('~'))) {
    const double want = expected.mid(1).toDouble();
    const double got = parseNumber(actual, sep);
    QVERIFY2(std::abs(got - want) <= std::abs(want) * 5e-10, qPrintable(what));
  } else {
    QVERIFY2(actual == expected, qPrintable(what));
  }
}

}  // namespace

class DiameterTest : public QObject {
  Q_OBJECT

 private slots:
  void calculate_data() {
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QStringList>("expected");
    const QChar p('.');
    QTest::newRow("10 pc: absolute equals apparent")
        << p << QStringList{"50.7", "4.83", "10"}
        << QStringList{"1548478941.99956", "4.83", "1.11321275485231", "100", "32.6156",
                       "2062650", "308600000000000"};
    QTest::newRow("1 pc: absolute is apparent plus 5")
        << p << QStringList{"50.7", "4.83", "1"}
        << QStringList{"~156274949.6", "9.83", "~0.1123471960", "1000", "3.26156", "206265",
                       "30860000000000"};
    QTest::newRow("100 pc: kilometres in exponent form")
        << p << QStringList{"47", "1", "100"}
        << QStringList{"~1.628612089e10", "-4", "~11.70821056", "10", "326.156", "20626500",
                       "3.086E+15"};
    QTest::newRow("half a parsec")
        << p << QStringList{"50.7", "4.83", "0.5"}
        << QStringList{"", "", "", "2000", "1.63078", "103132.5", "15430000000000"};
    QTest::newRow("empty surface magnitude reads as 0")
        << p << QStringList{"", "4.83", "10"}
        << QStringList{"~0.1231129421", "4.83", "", "100", "32.6156", "2062650",
                       "308600000000000"};
    QTest::newRow("blank surface magnitude reads as 0")
        << p << QStringList{" ", "4.83", "10"}
        << QStringList{"~0.1231129421", "4.83", "", "100", "32.6156", "2062650",
                       "308600000000000"};
    QTest::newRow("trailing letters are ignored")
        << p << QStringList{"50.7abc", "4.83 mag", "10pc"}
        << QStringList{"1548478941.99956", "4.83", "1.11321275485231", "100", "32.6156",
                       "2062650", "308600000000000"};
    // A comma locale writes 50,7 into Text1 and reads it back whole.
    QTest::newRow("comma locale")
        << QChar(',') << QStringList{"50,7", "4,83", "10"}
        << QStringList{"1548478941,99956", "4,83", "1,11321275485231", "100", "32,6156",
                       "2062650", "308600000000000"};
    QTest::newRow("comma locale, exponent form")
        << QChar(',') << QStringList{"47", "1", "100"}
        << QStringList{"", "-4", "", "10", "326,156", "20626500", "3,086E+15"};
  }

  void calculate() {
    QFETCH(QChar, separator);
    QFETCH(QStringList, inputs);
    QFETCH(QStringList, expected);
    MemoryFieldStore store;
    RecordingRuntime runtime(separator);
    fill(store, inputs);
    runHandler(Command41_Click, store, runtime);
    QVERIFY2(runtime.errors.isEmpty(), qPrintable(runtime.errors.value(0)));
    for (int i = 0; i < expected.size(); ++i) {
      compareResult(kResults[i], store.text(kResults[i]), expected[i], separator);
    }
    // The inputs are never rewritten.
    QCOMPARE(store.text(Field::Text1), inputs[0]);
    QCOMPARE(store.text(Field::Text3), inputs[2]);
  }

  // Empty inputs are warned about one box each, then the calculation runs on.
  void warnings_data() {
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<int>("warnings");
    QTest::addColumn<bool>("faults");
    QTest::newRow("none empty") << QStringList{"50.7", "4.83", "10"} << 0 << false;
    QTest::newRow("surface empty") << QStringList{"", "4.83", "10"} << 1 << false;
    QTest::newRow("apparent empty") << QStringList{"50.7", "", "10"} << 1 << false;
    QTest::newRow("distance empty") << QStringList{"50.7", "4.83", ""} << 1 << true;
    QTest::newRow("all empty") << QStringList{"", "", ""} << 3 << true;
    QTest::newRow("blanks are not empty") << QStringList{" ", " ", "10"} << 0 << false;
  }

  void warnings() {
    QFETCH(QStringList, inputs);
    QFETCH(int, warnings);
    QFETCH(bool, faults);
    MemoryFieldStore store;
    RecordingRuntime runtime;
    fill(store, inputs);
    runHandler(Command41_Click, store, runtime);
    QCOMPARE(runtime.messages.size(), warnings);
    for (const auto& message : runtime.messages) {
      QCOMPARE(message.prompt,
               QStringLiteral("Il programma v\u00E0 in errore, la prossima volta inserisci sempre "
                              "un valore su tutte le caselle di testo bianche."));
      QCOMPARE(message.flags, int(kNoIcon));
      QCOMPARE(message.title, QStringLiteral("Vespera 3.3"));
    }
    QCOMPARE(runtime.errors.size(), faults ? 1 : 0);
  }

  // A fault stops the handler at its step: earlier results stay, the failing
  // one and all later ones keep their old text, one message names the fault.
  void faults_data() {
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QString>("message");
    const QString logarithm =
        QStringLiteral("Errore di run-time: logaritmo di un numero minore o uguale a zero");
    const QString overflow = QStringLiteral("Errore di run-time: overflow");
    QTest::newRow("zero distance") << QStringList{"50.7", "4.83", "0"} << logarithm;
    QTest::newRow("negative distance") << QStringList{"50.7", "4.83", "-5"} << logarithm;
    QTest::newRow("letters for distance") << QStringList{"50.7", "4.83", "abc"} << logarithm;
    QTest::newRow("distance starting with a comma") << QStringList{"50.7", "4.83", ",5"}
                                                    << logarithm;
    QTest::newRow("power of ten overflows") << QStringList{"800", "4.83", "10"} << overflow;
    QTest::newRow("huge distance overflows") << QStringList{"50.7", "4.83", "1E300"}
                                             << overflow;
    QTest::newRow("surface beyond double range") << QStringList{"1E400", "4.83", "10"}
                                                 << overflow;
    QTest::newRow("difference beyond double range")
        << QStringList{"1.7E308", "-1.7E308", "10"} << overflow;
  }

  void faults() {
    QFETCH(QStringList, inputs);
    QFETCH(QString, message);
    MemoryFieldStore store;
    RecordingRuntime runtime;
    fill(store, inputs);
    for (Field result : kResults) store.setText(result, QStringLiteral("old"));
    runHandler(Command41_Click, store, runtime);
    QCOMPARE(runtime.errors, QStringList{message});
    for (Field result : kResults) QCOMPARE(store.text(result), QStringLiteral("old"));

    // The program goes on: the next calculation works.
    fill(store, {"50.7", "4.83", "10"});
    runHandler(Command41_Click, store, runtime);
    QCOMPARE(runtime.errors.size(), 1);
    QCOMPARE(store.text(Field::Text4), QStringLiteral("1548478941.99956"));
  }

  void resetEmptiesAllButSpectralTypeAndFileName() {
    MemoryFieldStore store;
    RecordingRuntime runtime;
    for (Field field : kAllFields) store.setText(field, QStringLiteral("x"));
    runHandler(Command51_Click, store, runtime);
    for (Field field : kAllFields) {
      const bool kept = field == Field::Text19 || field == Field::NomeFile;
      QCOMPARE(store.text(field).isEmpty(), !kept);
    }
    QVERIFY(runtime.messages.isEmpty());

    // A calculation right after it warns three times and then faults.
    runHandler(Command41_Click, store, runtime);
    QCOMPARE(runtime.messages.size(), 3);
    QCOMPARE(runtime.errors.size(), 1);
    QVERIFY(store.text(Field::Text4).isEmpty());
  }
};

QTEST_APPLESS_MAIN(DiameterTest)
#include "test_diameter.moc"
