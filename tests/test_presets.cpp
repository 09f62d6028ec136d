#include "calc/diameter.h"
#include "calc/presets.h"
#include "core/handler.h"
#include "core/recording_runtime.h"

#include <QtTest>

#include <set>

using namespace vespera;

namespace {
const TemperaturePreset* presetFor(int kelvin) {
  for (const auto& preset : temperaturePresets()) {
    if (preset.kelvin == kelvin) return &preset;
  }
  return nullptr;
}
}  // namespace

class PresetsTest : public QObject {
  Q_OBJECT

 private slots:
  // The temperatures, the button runs and the falling magnitudes.
  void table() {
    const auto presets = temperaturePresets();
    QCOMPARE(presets.size(), std::size_t(91));

    std::vector<int> kelvins = {1000, 1300, 1500, 1800, 2000, 2300, 2500, 2800, 3000, 3200,
                                3400, 3500, 3750};
    for (int t = 4000; t <= 10000; t += 250) kelvins.push_back(t);
    for (int t = 10500; t <= 30000; t += 500) kelvins.push_back(t);
    for (int t = 31000; t <= 43000; t += 1000) kelvins.push_back(t);
    QCOMPARE(kelvins.size(), std::size_t(91));

    std::set<int> buttons;
    for (std::size_t i = 0; i < presets.size(); ++i) {
      QCOMPARE(presets[i].kelvin, kelvins[i]);
      buttons.insert(presets[i].button);
      if (i > 0) QVERIFY(presets[i].surfaceMagnitude < presets[i - 1].surfaceMagnitude);
    }
    // Every button from 1 to 95 but the command buttons 41, 42, 51 and 84.
    std::set<int> expected;
    for (int b = 1; b <= 95; ++b) {
      if (b != 41 && b != 42 && b != 51 && b != 84) expected.insert(b);
    }
    QCOMPARE(buttons, expected);

    // The runs of button names.
    QCOMPARE(presetFor(4000)->button, 1);
    QCOMPARE(presetFor(43000)->button, 40);
    QCOMPARE(presetFor(4500)->button, 43);
    QCOMPARE(presetFor(9500)->button, 48);
    QCOMPARE(presetFor(3500)->button, 49);
    QCOMPARE(presetFor(3750)->button, 50);
    QCOMPARE(presetFor(4250)->button, 52);
    QCOMPARE(presetFor(9750)->button, 63);
    QCOMPARE(presetFor(10500)->button, 64);
    QCOMPARE(presetFor(29500)->button, 83);
    QCOMPARE(presetFor(1000)->button, 85);
    QCOMPARE(presetFor(3400)->button, 95);
  }

  void press_data() {
    QTest::addColumn<int>("kelvin");
    QTest::addColumn<QString>("period");
    QTest::addColumn<QString>("comma");
    QTest::newRow("5500") << 5500 << "50.9" << "50,9";
    QTest::newRow("5750") << 5750 << "50.7" << "50,7";
    QTest::newRow("20000 whole") << 20000 << "47" << "47";
    QTest::newRow("41000 whole") << 41000 << "46" << "46";
    QTest::newRow("43000") << 43000 << "45.99" << "45,99";
    QTest::newRow("1000") << 1000 << "74" << "74";
    QTest::newRow("38000 three decimals") << 38000 << "46.015" << "46,015";
    QTest::newRow("40000 three decimals") << 40000 << "46.005" << "46,005";
    QTest::newRow("4000") << 4000 << "52.8" << "52,8";
  }

  void press() {
    QFETCH(int, kelvin);
    QFETCH(QString, period);
    QFETCH(QString, comma);
    for (QChar sep : {QChar('.'), QChar(',')}) {
      MemoryFieldStore store;
      RecordingRuntime runtime(sep);
      for (Field field : kAllFields) store.setText(field, QStringLiteral("before"));
      runHandler([&](FieldStore& s, Runtime& r) { pressPreset(*presetFor(kelvin), s, r); },
                 store, runtime);
      QCOMPARE(store.text(Field::Text1), sep == QChar('.') ? period : comma);
      QCOMPARE(store.text(Field::Text7), QString::number(kelvin));
      for (Field field : kAllFields) {
        if (field != Field::Text1 && field != Field::Text7) {
          QCOMPARE(store.text(field), QStringLiteral("before"));
        }
      }
      QVERIFY(runtime.messages.isEmpty() && runtime.errors.isEmpty());
    }
  }

  // A preset, then the calculation: on both locales the magnitude the preset
  // wrote reads back whole (on a comma locale 52,8 is 52.8, not 52).
  void presetThenCalculate() {
    for (QChar sep : {QChar('.'), QChar(',')}) {
      MemoryFieldStore store;
      RecordingRuntime runtime(sep);
      pressPreset(*presetFor(5750), store, runtime);
      store.setText(Field::Text2, sep == QChar('.') ? "4.83" : "4,83");
      store.setText(Field::Text3, QStringLiteral("10"));
      runHandler(Command41_Click, store, runtime);
      QString expected = QStringLiteral("1548478941.99956");
      expected.replace(QLatin1Char('.'), sep);
      QCOMPARE(store.text(Field::Text4), expected);
    }
  }
};

QTEST_APPLESS_MAIN(PresetsTest)
#include "test_presets.moc"
