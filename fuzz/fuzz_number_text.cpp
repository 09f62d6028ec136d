// libFuzzer target for the two conversions between field text and numbers.
//
// Every input is read as field text (UTF-8) on a period and on a comma
// locale: it must give a finite number or stop at an overflow fault, never
// anything else. Its first eight bytes are also taken as the bit pattern of
// a double: a finite one must be written in the field form and read back as
// the same number to 15 significant digits, so that writing it again gives
// the same text; a NaN or an infinity must be refused with its own fault.
// Any violation aborts, which libFuzzer records as a crash.

#include "core/number_text.h"
#include "core/runtime_error.h"

#include <QByteArray>
#include <QRegularExpression>
#include <QString>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>

namespace vespera {
namespace {

const QChar kPeriod = QLatin1Char('.');
const QChar kComma = QLatin1Char(',');

[[noreturn]] void violation(const char* what, const QString& text, QChar separator) {
  std::fprintf(stderr, "\n*** number text violation: %s\n*** text: \"%s\" (separator '%c')\n",
               what, text.toUtf8().constData(), static_cast<char>(separator.unicode()));
  std::abort();
}

[[noreturn]] void violation(const char* what, double value, QChar separator) {
  std::fprintf(stderr, "\n*** number text violation: %s\n*** value: %.17g (separator '%c')\n",
               what, value, static_cast<char>(separator.unicode()));
  std::abort();
}

// Reads any text; returns the number, or nothing when the text overflowed.
std::optional<double> readAnyText(const QString& text, QChar separator) {
  try {
    const double value = parseNumber(text, separator);
    if (!std::isfinite(value)) violation("parseNumber gave a value that is not finite", text, separator);
    return value;
  } catch (const ArithmeticFault& fault) {
    if (fault.kind() != FaultKind::Overflow) violation("parseNumber raised a fault other than overflow", text, separator);
    return std::nullopt;
  } catch (...) {
    violation("parseNumber threw something other than an arithmetic fault", text, separator);
  }
}

// The field form: an optional minus, the integer part without leading zeros,
// an optional fraction that does not end in 0, an optional exponent with a
// sign and at least two digits.
const QRegularExpression& fieldForm(QChar separator) {
  static const QRegularExpression period(QStringLiteral(R"(^-?(0|[1-9][0-9]*)(\.[0-9]*[1-9])?(E[+-][0-9]{2,3})?$)"));
  static const QRegularExpression comma(QStringLiteral(R"(^-?(0|[1-9][0-9]*)(,[0-9]*[1-9])?(E[+-][0-9]{2,3})?$)"));
  return separator == kComma ? comma : period;
}

qsizetype significantDigits(const QString& text) {
  qsizetype count = 0;
  bool leading = true;
  for (QChar c : text) {
    if (c == QLatin1Char('E')) break;
    if (!c.isDigit()) continue;
    if (leading && c == QLatin1Char('0')) continue;
    leading = false;
    ++count;
  }
  return count;
}

void checkWrittenForm(const QString& text, double value, QChar separator) {
  if (!fieldForm(separator).match(text).hasMatch()) violation("formatNumber wrote text outside the field form", value, separator);
  if (significantDigits(text) > 15) violation("formatNumber wrote more than 15 significant digits", value, separator);
  if (value == 0.0 && text != QStringLiteral("0")) violation("zero is not written as 0", value, separator);
}

// Rounding to 15 significant digits moves a number by at most half a unit of
// the 15th digit, 5E-15 of it, plus the rounding of the read-back double.
constexpr double kFifteenDigitTolerance = 5.2e-15;

void checkRoundTrip(double value, QChar separator) {
  QString text;
  try {
    text = formatNumber(value, separator);
  } catch (...) {
    violation("formatNumber refused a finite value", value, separator);
  }
  checkWrittenForm(text, value, separator);

  double back = 0.0;
  try {
    back = parseNumber(text, separator);
  } catch (...) {
    violation("what formatNumber wrote does not read back", text, separator);
  }
  if (formatNumber(back, separator) != text) violation("read back and written again, the text changed", text, separator);
  // Subnormal numbers carry fewer than 15 digits of their own; the text test
  // above is all they can promise.
  if (std::fabs(value) >= std::numeric_limits<double>::min() &&
      std::fabs(back - value) > kFifteenDigitTolerance * std::fabs(value)) {
    violation("the text read back is not the value to 15 significant digits", value, separator);
  }
}

void checkNotFiniteRefused(double value) {
  const FaultKind expected = std::isnan(value) ? FaultKind::InvalidOperation : FaultKind::Overflow;
  for (QChar separator : {kPeriod, kComma}) {
    try {
      formatNumber(value, separator);
    } catch (const ArithmeticFault& fault) {
      if (fault.kind() != expected) violation("formatNumber refused a non-finite value with the wrong fault", value, separator);
      continue;
    }
    violation("formatNumber wrote a value that is not finite", value, separator);
  }
}

void checkBitPattern(const std::uint8_t* data, std::size_t size) {
  double value = 0.0;
  if (size < sizeof value) return;
  std::memcpy(&value, data, sizeof value);
  if (!std::isfinite(value)) {
    checkNotFiniteRefused(value);
    return;
  }
  checkRoundTrip(value, kPeriod);
  checkRoundTrip(value, kComma);
}

void checkText(const std::uint8_t* data, std::size_t size) {
  const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  for (QChar separator : {kPeriod, kComma}) {
    // A number read from the user's text is as good a start for a round trip
    // as a raw bit pattern, and reaches the exponents people type.
    if (const std::optional<double> value = readAnyText(text, separator)) checkRoundTrip(*value, separator);
  }
}

}  // namespace
}  // namespace vespera

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vespera::checkText(data, size);
  vespera::checkBitPattern(data, size);
  return 0;
}
