#include "calc/angular_diameter.h"
#include "calc/distance_units.h"
#include "core/handler.h"
#include "core/recording_runtime.h"
#include "support/field_checks.h"

#include <QtTest>

using namespace vespera;

namespace {

// Rows of an example in a period locale and the same example on a comma
// locale, typed and written with commas. Empty cells stay empty.
void addInBothLocales(const char* name, const QStringList& cells) {
  for (const QChar separator : {QChar('.'), QChar(',')}) {
    QTestData& row = QTest::addRow("%s [%c]", name, separator.toLatin1());
    row << separator;
    for (const QString& cell : cells) row << withSeparator(cell, separator);
  }
}

}  // namespace

class AngularDiameterTest : public QObject {
  Q_OBJECT

 private slots:
  // The arrows turn arc minutes or arc seconds into degrees in Text13.
  void toDegrees_data() {
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("degrees");
    addInBothLocales("30 arc minutes", {"minutes", "30", "0.5"});
    addInBothLocales("45 arc minutes", {"minutes", "45", "0.75"});
    addInBothLocales("1.5 arc minutes", {"minutes", "1.5", "0.025"});
    addInBothLocales("-30 arc minutes", {"minutes", "-30", "-0.5"});
    addInBothLocales("empty arc minutes", {"minutes", "", "0"});
    addInBothLocales("36 arc seconds", {"seconds", "36", "0.01"});
    addInBothLocales("90 arc seconds", {"seconds", "90", "0.025"});
    addInBothLocales("1800 arc seconds", {"seconds", "1800", "0.5"});
    addInBothLocales("empty arc seconds", {"seconds", "", "0"});
  }

  void toDegrees() {
    QFETCH(QChar, separator);
    QFETCH(QString, unit);
    QFETCH(QString, typed);
    QFETCH(QString, degrees);
    const bool minutes = unit == QLatin1String("minutes");
    const Field source = minutes ? Field::Text17 : Field::Text18;
    MemoryFieldStore store;
    RecordingRuntime runtime(separator);
    fillAllWith(store, QStringLiteral("old"));
    store.setText(source, typed);
    const QStringList before = allTexts(store);
    runHandler(minutes ? Command108_Click : Command109_Click, store, runtime);
    QVERIFY2(runtime.errors.isEmpty(), qPrintable(runtime.errors.value(0)));
    QCOMPARE(store.text(Field::Text13), degrees);
    verifyOnlyChanged(store, before, Field::Text13);
  }

  // The later arrow replaces the degrees: minutes and seconds never add up.
  void laterArrowWins() {
    MemoryFieldStore store;
    RecordingRuntime runtime;
    store.setText(Field::Text17, QStringLiteral("30"));
    store.setText(Field::Text18, QStringLiteral("36"));
    runHandler(Command108_Click, store, runtime);
    QCOMPARE(store.text(Field::Text13), QStringLiteral("0.5"));
    runHandler(Command109_Click, store, runtime);
    QCOMPARE(store.text(Field::Text13), QStringLiteral("0.01"));
    runHandler(Command108_Click, store, runtime);
    QCOMPARE(store.text(Field::Text13), QStringLiteral("0.5"));
  }

  // "CALCOLA ": distance x 3.086E+13 x tan(angle), the whole angle, pi to
  // fifteen digits.
  void diameter_data() {
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("degrees");
    QTest::addColumn<QString>("parsecs");
    QTest::addColumn<QString>("kilometres");
    addInBothLocales("1 degree at 1 pc", {"1", "1", "538663303684.794"});
    addInBothLocales("2 degrees at 1 pc", {"2", "1", "1077654946515.33"});
    addInBothLocales("0.5 degree at 10 pc", {"0.5", "10", "2693111400228.16"});
    addInBothLocales("-1 degree at 1 pc", {"-1", "1", "-538663303684.794"});
    addInBothLocales("1 degree at -1 pc", {"1", "-1", "-538663303684.794"});
    addInBothLocales("empty angle", {"", "10", "0"});
    addInBothLocales("empty distance", {"1", "", "0"});
    addInBothLocales("both empty", {"", "", "0"});
    addInBothLocales("angle not a number", {"circa 1", "10", "0"});
    // 45 degrees: the tangent of the fifteen-digit pi stops just short of 1.
    addInBothLocales("45 degrees at 1 pc", {"45", "1", "30859999999999.9"});
    QTest::newRow("period typed on a comma locale")
        << QChar(',') << "0.5" << "10" << "2693111400228,16";
    QTest::newRow("comma typed on a period locale reads its whole part")
        << QChar('.') << "1,5" << "1" << "538663303684.794";
  }

  void diameter() {
    QFETCH(QChar, separator);
    QFETCH(QString, degrees);
    QFETCH(QString, parsecs);
    QFETCH(QString, kilometres);
    MemoryFieldStore store;
    RecordingRuntime runtime(separator);
    fillAllWith(store, QStringLiteral("old"));
    store.setText(Field::Text13, degrees);
    store.setText(Field::Text3, parsecs);
    const QStringList before = allTexts(store);
    runHandler(Command101_Click, store, runtime);
    QVERIFY2(runtime.errors.isEmpty(), qPrintable(runtime.errors.value(0)));
    QVERIFY(runtime.messages.isEmpty());  // empty fields are not warned about
    QCOMPARE(store.text(Field::Text14), kilometres);
    verifyOnlyChanged(store, before, Field::Text14);
  }

  // A product beyond the double range stops the handler; Text14 keeps its text.
  void faults_data() {
    QTest::addColumn<QString>("degrees");
    QTest::addColumn<QString>("parsecs");
    QTest::addColumn<QString>("message");
    const QString overflow = QStringLiteral("Errore di run-time: overflow");
    QTest::newRow("distance times kilometres per parsec") << "1" << "5.9E294" << overflow;
    QTest::newRow("3.3E+296 pc at 1 degree") << "1" << "3.4E296" << overflow;
    QTest::newRow("the tangent near 90 degrees") << "89.99" << "1E294" << overflow;
    QTest::newRow("angle beyond the double range") << "1E400" << "1" << overflow;
    QTest::newRow("distance beyond the double range") << "1" << "-1E400" << overflow;
  }

  void faults() {
    QFETCH(QString, degrees);
    QFETCH(QString, parsecs);
    QFETCH(QString, message);
    MemoryFieldStore store;
    RecordingRuntime runtime;
    store.setText(Field::Text13, degrees);
    store.setText(Field::Text3, parsecs);
    store.setText(Field::Text14, QStringLiteral("42"));
    runHandler(Command101_Click, store, runtime);
    QCOMPARE(runtime.errors, QStringList{message});
    QCOMPARE(store.text(Field::Text14), QStringLiteral("42"));
  }

  // Just inside the range the same kind of input computes: the faults above
  // come from leaving the range, not from large numbers as such. The product
  // of distance and kilometres per parsec is formed first, so at 1 degree the
  // limit is that product, near 5.8E+294 pc.
  void largestDistanceStillComputes() {
    MemoryFieldStore store;
    RecordingRuntime runtime;
    store.setText(Field::Text13, QStringLiteral("1"));
    store.setText(Field::Text3, QStringLiteral("5.8E294"));
    runHandler(Command101_Click, store, runtime);
    QVERIFY2(runtime.errors.isEmpty(), qPrintable(runtime.errors.value(0)));
    QCOMPARE(store.text(Field::Text14), QStringLiteral("3.12424716137181E+306"));
  }

  // The distance the distance panel writes is used as it stands, and on a
  // comma locale the degrees an arrow writes are read back whole.
  void distanceAndAngleFromOtherButtons_data() {
    QTest::addColumn<QChar>("separator");
    QTest::newRow("period locale") << QChar('.');
    QTest::newRow("comma locale") << QChar(',');
  }

  void distanceAndAngleFromOtherButtons() {
    QFETCH(QChar, separator);
    MemoryFieldStore store;
    RecordingRuntime runtime(separator);
    store.setText(Field::Text11, QStringLiteral("100"));
    runHandler(Command99_Click, store, runtime);
    QCOMPARE(store.text(Field::Text3), QStringLiteral("10"));
    store.setText(Field::Text17, QStringLiteral("30"));
    runHandler(Command108_Click, store, runtime);
    QCOMPARE(store.text(Field::Text13), withSeparator("0.5", separator));
    runHandler(Command101_Click, store, runtime);
    QVERIFY2(runtime.errors.isEmpty(), qPrintable(runtime.errors.value(0)));
    QCOMPARE(store.text(Field::Text14), withSeparator("2693111400228.16", separator));
  }
};

QTEST_APPLESS_MAIN(AngularDiameterTest)
#include "test_angular_diameter.moc"
