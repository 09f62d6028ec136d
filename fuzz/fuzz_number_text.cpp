// libFuzzer target of the two conversions between field text and numbers. Each input is
// read as field text on a period and on a comma machine: it gives a finite number or an
// overflow fault. That number, and the double whose bits are the input's first eight
// bytes, are written in the field form with at most 15 significant digits, read back to
// within half a unit of the 15th digit, and written again to the same text; nan and inf
// are refused. A violation aborts, which libFuzzer records as a crash.

#include "core/number_text.h"
#include "core/runtime_error.h"

#include <QRegularExpression>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

using namespace vespera;

namespace {

void roundTrip(double value, QChar separator) {
  static const QRegularExpression fieldForm(
      QStringLiteral(R"(^-?(0|[1-9][0-9]*)([.,][0-9]*[1-9])?(E[+-][0-9]{2,3})?$)"));
  const QString text = formatNumber(value, separator);
  static const QRegularExpression notSignificant(QStringLiteral("[^0-9]|^0+"));
  const QString digits =
      text.section(u'E', 0, 0).remove(u'-').remove(separator).remove(notSignificant);
  const double back = parseNumber(text, separator);
  const bool subnormal = std::fabs(value) < std::numeric_limits<double>::min();
  if (!fieldForm.match(text).hasMatch() || text.contains(separator == u',' ? u'.' : u',') ||
      digits.size() > 15 || formatNumber(back, separator) != text ||
      (!subnormal && std::fabs(back - value) > 5.2e-15 * std::fabs(value))) {
    std::fprintf(stderr, "number text violation: %.17g written as %s\n", value, qPrintable(text));
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
  double bits = 0.0;
  if (size >= sizeof bits) std::memcpy(&bits, data, sizeof bits);
  for (QChar separator : {QLatin1Char('.'), QLatin1Char(',')}) {
    try {
      roundTrip(parseNumber(text, separator), separator);
    } catch (const ArithmeticFault& fault) {
      if (fault.kind() != FaultKind::Overflow) std::abort();
    }
    if (std::isfinite(bits)) {
      roundTrip(bits, separator);
      continue;
    }
    try {
      formatNumber(bits, separator);
      std::abort();
    } catch (const ArithmeticFault&) {
    }
  }
  return 0;
}
