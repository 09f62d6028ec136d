// SPDX-License-Identifier: GPL-3.0-or-later

// libFuzzer target of the two conversions between field text and numbers. Each input is
// read as field text on a period and on a comma machine: it gives a finite number or an
// overflow fault. That number, and the double whose bits are the input's first eight
// bytes, are written in the field form with at most 15 significant digits, read back to
// within half a unit of the 15th digit, and written again to the same text; nan and inf
// are refused. A violation aborts, which libFuzzer records as a crash.

#include "core/number_text.h"
#include "core/runtime_error.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <regex>
#include <string>

using namespace vespera;

namespace {

// The significant digits of a field text: no sign, separator, exponent or leading zeros.
std::string significantDigits(const std::string& text) {
  std::string digits;
  for (const char c : text.substr(0, text.find('E'))) {
    if (c >= '0' && c <= '9' && !(digits.empty() && c == '0')) digits += c;
  }
  return digits;
}

void roundTrip(double value, char separator) {
  static const std::regex fieldForm(R"(^-?(0|[1-9][0-9]*)([.,][0-9]*[1-9])?(E[+-][0-9]{2,3})?$)");
  const std::string point(1, separator);
  const std::string text = formatNumber(value, point);
  const double back = parseNumber(text, point);
  const bool subnormal = std::fabs(value) < std::numeric_limits<double>::min();
  if (!std::regex_match(text, fieldForm) ||
      text.find(separator == ',' ? '.' : ',') != std::string::npos ||
      significantDigits(text).size() > 15 || formatNumber(back, point) != text ||
      (!subnormal && std::fabs(back - value) > 5.2e-15 * std::fabs(value))) {
    std::fprintf(stderr, "number text violation: %.17g written as %s\n", value, text.c_str());
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  double bits = 0.0;
  if (size >= sizeof bits) std::memcpy(&bits, data, sizeof bits);
  for (const char separator : {'.', ','}) {
    try {
      roundTrip(parseNumber(text, std::string(1, separator)), separator);
    } catch (const ArithmeticFault& fault) {
      if (fault.kind() != FaultKind::Overflow) std::abort();
    }
    if (std::isfinite(bits)) {
      roundTrip(bits, separator);
      continue;
    }
    try {
      formatNumber(bits, std::string(1, separator));
      std::abort();
    } catch (const ArithmeticFault&) {
    }
  }
  return 0;
}
