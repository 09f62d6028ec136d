#include "core/number_text.h"
#include "core/runtime_error.h"

#include <QtTest>

#include <cmath>
#include <limits>
#include <bit>
#include <random>

using namespace vespera;

class NumberTextTest : public QObject {
  Q_OBJECT

 private slots:
  void parse_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<double>("expected");
    const QChar period('.');
    const QChar comma(',');
    for (QChar sep : {period, comma}) {
      const QByteArray tag = sep == period ? "period: " : "comma: ";
      QTest::newRow(tag + "empty") << "" << sep << 0.0;
      QTest::newRow(tag + "letters") << "abc" << sep << 0.0;
      QTest::newRow(tag + "lone comma") << "," << sep << 0.0;
      QTest::newRow(tag + "blank then 12.5xyz") << " 12.5xyz" << sep << 12.5;
      QTest::newRow(tag + "negative") << "-0.3" << sep << -0.3;
      QTest::newRow(tag + "plus sign") << "+7" << sep << 7.0;
      QTest::newRow(tag + "1E3") << "1E3" << sep << 1000.0;
      QTest::newRow(tag + "lower-case e") << "2.5e-2" << sep << 0.025;
      QTest::newRow(tag + "1.391E+09") << "1.391E+09" << sep << 1.391e9;
      QTest::newRow(tag + "exponent without digits") << "4E" << sep << 4.0;
      QTest::newRow(tag + "exponent sign only") << "4E+x" << sep << 4.0;
      QTest::newRow(tag + "point first") << ".5" << sep << 0.5;
      QTest::newRow(tag + "trailing point") << "5." << sep << 5.0;
      QTest::newRow(tag + "second point stops") << "1.2.3" << sep << 1.2;
      QTest::newRow(tag + "lone minus") << "-" << sep << 0.0;
      QTest::newRow(tag + "lone point") << "." << sep << 0.0;
      QTest::newRow(tag + "lone E") << "E" << sep << 0.0;
      QTest::newRow(tag + "blank only") << " " << sep << 0.0;
      QTest::newRow(tag + "tab is not skipped") << "\t5" << sep << 0.0;
      QTest::newRow(tag + "blank inside stops") << "1 2" << sep << 1.0;
      QTest::newRow(tag + "hex prefix") << "0x10" << sep << 0.0;
      QTest::newRow(tag + "VB hex") << "&H10" << sep << 0.0;
      QTest::newRow(tag + "NaN") << "NaN" << sep << 0.0;
      QTest::newRow(tag + "Infinity") << "Infinity" << sep << 0.0;
      QTest::newRow(tag + "underflow reads as 0") << "1E-400" << sep << 0.0;
      QTest::newRow(tag + "leading zeros") << "000123" << sep << 123.0;
      QTest::newRow(tag + "many digits then small exponent")
          << QString(400, QLatin1Char('1')) + "E-300" << sep << 1.11111111111111111e99;
    }
    // On a period locale the comma ends the number; on a comma locale it is
    // the user's own decimal separator and reads as one.
    QTest::newRow("period: 52,8") << "52,8" << period << 52.0;
    QTest::newRow("comma: 52,8") << "52,8" << comma << 52.8;
    QTest::newRow("comma: 0,5") << "0,5" << comma << 0.5;
    QTest::newRow("comma: 52.8 still reads") << "52.8" << comma << 52.8;
    QTest::newRow("comma: one separator only") << "1,5.5" << comma << 1.5;
    QTest::newRow("largest double as written")
        << "1.79769313486232E+308" << period << std::numeric_limits<double>::max();
    QTest::newRow("comma: 3,086E+15") << "3,086E+15" << comma << 3.086e15;
  }

  void parse() {
    QFETCH(QString, text);
    QFETCH(QChar, separator);
    QFETCH(double, expected);
    QCOMPARE(parseNumber(text, separator), expected);
  }

  void parseOverflowIsAFault_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("1E400") << "1E400";
    QTest::newRow("-1E400") << "-1E400";
    QTest::newRow("huge exponent") << "1E999999999999999999999";
    QTest::newRow("400 digits") << QString(400, QLatin1Char('9'));
    QTest::newRow("small mantissa, big exponent") << "0.01E311";
    QTest::newRow("just above the largest double") << "1.7976931348624E+308";
  }

  void parseOverflowIsAFault() {
    QFETCH(QString, text);
    try {
      parseNumber(text);
      QFAIL("no fault");
    } catch (const ArithmeticFault& fault) {
      QCOMPARE(fault.kind(), FaultKind::Overflow);
    }
  }

  void format_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("period");
    QTest::addColumn<QString>("comma");
    QTest::newRow("52.8") << 52.8 << "52.8" << "52,8";
    QTest::newRow("1.391E9, ten digits") << 1.391e9 << "1391000000" << "1391000000";
    QTest::newRow("0.5") << 0.5 << "0.5" << "0,5";
    QTest::newRow("-2.25") << -2.25 << "-2.25" << "-2,25";
    QTest::newRow("whole") << 4000.0 << "4000" << "4000";
    QTest::newRow("15 digits") << 308600000000000.0 << "308600000000000" << "308600000000000";
    QTest::newRow("16 digits: exponent") << 3.086e15 << "3.086E+15" << "3,086E+15";
    QTest::newRow("rounded to 15") << 1548478941.9995632 << "1548478941.99956" << "1548478941,99956";
    QTest::newRow("difference of doubles") << 10.2 - 9.5 << "0.699999999999999" << "0,699999999999999";
    QTest::newRow("small") << 0.0001 << "0.0001" << "0,0001";
    QTest::newRow("smaller: exponent") << 0.00001 << "1E-05" << "1E-05";
    QTest::newRow("tiny") << 1.5e-300 << "1.5E-300" << "1,5E-300";
    QTest::newRow("negative zero") << -0.0 << "0" << "0";
    QTest::newRow("largest double") << std::numeric_limits<double>::max()
                                    << "1.79769313486232E+308" << "1,79769313486232E+308";
  }

  void format() {
    QFETCH(double, value);
    QFETCH(QString, period);
    QFETCH(QString, comma);
    QCOMPARE(formatNumber(value, QLatin1Char('.')), period);
    QCOMPARE(formatNumber(value, QLatin1Char(',')), comma);
  }

  void formatRefusesNonFinite() {
    QVERIFY_THROWS_EXCEPTION(ArithmeticFault,
                             formatNumber(std::numeric_limits<double>::infinity()));
    QVERIFY_THROWS_EXCEPTION(ArithmeticFault,
                             formatNumber(std::numeric_limits<double>::quiet_NaN()));
  }

  // What one locale writes, the same locale reads back to 15 digits.
  void roundTrip() {
    std::mt19937_64 random(20261206);
    std::uniform_int_distribution<std::uint64_t> bits;
    int checked = 0;
    while (checked < 20000) {
      const double value = std::bit_cast<double>(bits(random));
      if (!std::isfinite(value)) continue;
      ++checked;
      for (QChar sep : {QChar('.'), QChar(',')}) {
        const QString text = formatNumber(value, sep);
        const double back = parseNumber(text, sep);
        QCOMPARE(formatNumber(back, sep), text);
      }
    }
  }
};

QTEST_APPLESS_MAIN(NumberTextTest)
#include "test_number_text.moc"
