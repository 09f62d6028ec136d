// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/number_text.h"

#include "core/decimal_text.h"
#include "core/runtime_error.h"

#include <cmath>
#include <limits>

namespace vespera {
namespace {

constexpr long double kLargestWrittenDouble = 1.79769313486232E+308L;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The longest prefix of the text that reads as a number, in the plain form that
// readDecimal takes (no leading '+', '.' as the point), and the power of ten of its
// leading digit, which tells an overflow from an underflow.
struct NumberPrefix {
  PlainNumber plain;
  long long leadingPower = 0;
  bool hasDigits = false;
};

// NOLINTNEXTLINE(readability-function-cognitive-complexity): one pass, as the number is written
NumberPrefix scanNumber(std::string_view text, std::string_view userSeparator) {
  NumberPrefix prefix;
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && text[i] == ' ') ++i;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') prefix.plain.add('-');
    ++i;
  }
  // The length of the decimal point at i, or 0 where there is none.
  const auto pointAt = [&](std::size_t at) -> std::size_t {
    if (text[at] == '.') return 1;
    const bool user = !userSeparator.empty() && text.substr(at).starts_with(userSeparator);
    return user ? userSeparator.size() : 0;
  };
  long long digitsBeforePoint = 0;  // significant ones, after leading zeros
  long long zerosAfterPoint = 0;    // before the first significant digit
  bool seenPoint = false;
  bool seenSignificant = false;
  while (i < n) {
    const char c = text[i];
    if (isDigit(c)) {
      prefix.hasDigits = true;
      prefix.plain.add(c);
      if (c != '0') seenSignificant = true;
      if (!seenPoint && seenSignificant) ++digitsBeforePoint;
      if (seenPoint && !seenSignificant) ++zerosAfterPoint;
      ++i;
    } else if (const std::size_t point = seenPoint ? 0 : pointAt(i)) {
      seenPoint = true;
      prefix.plain.add('.');
      i += point;
    } else {
      break;
    }
  }
  if (!prefix.hasDigits) return prefix;

  long long exponent = 0;
  if (i < n && (text[i] == 'E' || text[i] == 'e')) {
    std::size_t j = i + 1;
    const std::size_t mantissaSize = prefix.plain.size();
    prefix.plain.add('e');
    const bool negative = j < n && text[j] == '-';
    if (negative) prefix.plain.add('-');
    if (j < n && (text[j] == '+' || negative)) ++j;
    if (j < n && isDigit(text[j])) {
      for (; j < n && isDigit(text[j]); ++j) {
        prefix.plain.add(text[j]);
        if (exponent < 1'000'000'000) exponent = exponent * 10 + (text[j] - '0');
      }
      if (negative) exponent = -exponent;
    } else {
      prefix.plain.cut(mantissaSize);  // an E without digits is not part of the number
    }
  }
  prefix.leadingPower =
      exponent + (digitsBeforePoint > 0 ? digitsBeforePoint - 1 : -zerosAfterPoint - 1);
  return prefix;
}

}  // namespace

double parseNumber(std::string_view text, std::string_view userDecimalSeparator) {
  const NumberPrefix prefix = scanNumber(text, userDecimalSeparator);
  if (!prefix.hasDigits) return 0.0;
  const std::string_view plain = prefix.plain.view();
  const std::optional<double> value = readDecimal(plain);
  if (value) return *value;
  if (prefix.leadingPower <= 0) return 0.0;  // too small for a double: it reads as zero
  // The largest double is written as 1.79769313486232E+308, a little above itself; that
  // text must still read back as the number it came from.
  const std::optional<long double> wide = readWideDecimal(plain);
  if (wide && std::fabs(*wide) <= kLargestWrittenDouble) {
    return std::copysign(std::numeric_limits<double>::max(), static_cast<double>(*wide));
  }
  throw ArithmeticFault(FaultKind::Overflow);
}

std::string formatNumber(double value, std::string_view userDecimalSeparator) {
  if (std::isnan(value)) throw ArithmeticFault(FaultKind::InvalidOperation);
  if (std::isinf(value)) throw ArithmeticFault(FaultKind::Overflow);
  if (value == 0.0) return "0";
  std::string text = writeDecimal(value, 15);
  // Into the field's form: the exponent letter in capitals, the user's separator.
  for (char& c : text) {
    if (c == 'e') c = 'E';
  }
  if (userDecimalSeparator != ".") {
    const std::size_t point = text.find('.');
    if (point != std::string::npos) text.replace(point, 1, userDecimalSeparator);
  }
  return text;
}

}  // namespace vespera
