#include "core/number_text.h"

#include "core/runtime_error.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace vespera {
namespace {

constexpr long double kLargestWrittenDouble = 1.79769313486232E+308L;

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// The characters of a number as std::from_chars takes them: on the stack for any
// number a person types, on the heap only for longer ones.
class PlainNumber {
 public:
  void add(char c) {
    if (size_ < kOnStack) {
      onStack_[size_++] = c;
      return;
    }
    if (size_ == kOnStack) onHeap_.assign(onStack_, kOnStack);
    onHeap_ += c;
    ++size_;
  }
  void cut(std::size_t size) {
    size_ = size;
    if (size_ > kOnStack) onHeap_.resize(size_);
  }
  std::size_t size() const { return size_; }
  const char* data() const { return size_ <= kOnStack ? onStack_ : onHeap_.data(); }

 private:
  static constexpr std::size_t kOnStack = 64;
  char onStack_[kOnStack];
  std::string onHeap_;
  std::size_t size_ = 0;
};

// The longest prefix of the text that reads as a number, in the plain form that
// std::from_chars takes (no leading '+', '.' as the point), and the power of ten
// of its leading digit, which tells an overflow from an underflow.
struct NumberPrefix {
  PlainNumber plain;
  long long leadingPower = 0;
  bool hasDigits = false;
};

// NOLINTNEXTLINE(readability-function-cognitive-complexity): one pass, as the number is written
NumberPrefix scanNumber(const QString& text, QChar userSeparator) {
  NumberPrefix prefix;
  qsizetype i = 0;
  const qsizetype n = text.size();
  while (i < n && text[i] == QLatin1Char(' ')) ++i;
  if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
    if (text[i] == QLatin1Char('-')) prefix.plain.add('-');
    ++i;
  }
  const auto isPoint = [&](QChar c) { return c == QLatin1Char('.') || c == userSeparator; };
  long long digitsBeforePoint = 0;  // significant ones, after leading zeros
  long long zerosAfterPoint = 0;    // before the first significant digit
  bool seenPoint = false;
  bool seenSignificant = false;
  for (; i < n; ++i) {
    const QChar c = text[i];
    if (isDigit(c)) {
      prefix.hasDigits = true;
      prefix.plain.add(static_cast<char>(c.unicode()));
      if (c != QLatin1Char('0')) seenSignificant = true;
      if (!seenPoint && seenSignificant) ++digitsBeforePoint;
      if (seenPoint && !seenSignificant) ++zerosAfterPoint;
    } else if (isPoint(c) && !seenPoint) {
      seenPoint = true;
      prefix.plain.add('.');
    } else {
      break;
    }
  }
  if (!prefix.hasDigits) return prefix;

  long long exponent = 0;
  if (i < n && (text[i] == QLatin1Char('E') || text[i] == QLatin1Char('e'))) {
    qsizetype j = i + 1;
    const std::size_t mantissaSize = prefix.plain.size();
    prefix.plain.add('e');
    const bool negative = j < n && text[j] == QLatin1Char('-');
    if (negative) prefix.plain.add('-');
    if (j < n && (text[j] == QLatin1Char('+') || negative)) ++j;
    if (j < n && isDigit(text[j])) {
      for (; j < n && isDigit(text[j]); ++j) {
        prefix.plain.add(static_cast<char>(text[j].unicode()));
        if (exponent < 1'000'000'000) exponent = exponent * 10 + text[j].digitValue();
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

double parseNumber(const QString& text, QChar userDecimalSeparator) {
  const NumberPrefix prefix = scanNumber(text, userDecimalSeparator);
  if (!prefix.hasDigits) return 0.0;
  double value = 0.0;
  const char* first = prefix.plain.data();
  const char* last = first + prefix.plain.size();
  const auto [end, error] = std::from_chars(first, last, value);
  if (error == std::errc::result_out_of_range) {
    if (prefix.leadingPower <= 0) return 0.0;  // too small for a double: it reads as zero
    // The largest double is written as 1.79769313486232E+308, a little above
    // itself; that text must still read back as the number it came from.
    long double wide = 0.0L;
    const auto wideResult = std::from_chars(first, last, wide);
    if (wideResult.ec == std::errc() && std::fabs(wide) <= kLargestWrittenDouble) {
      return std::copysign(std::numeric_limits<double>::max(), static_cast<double>(wide));
    }
    throw ArithmeticFault(FaultKind::Overflow);
  }
  return value;
}

QString formatNumber(double value, QChar userDecimalSeparator) {
  if (std::isnan(value)) throw ArithmeticFault(FaultKind::InvalidOperation);
  if (std::isinf(value)) throw ArithmeticFault(FaultKind::Overflow);
  if (value == 0.0) return QStringLiteral("0");
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  // One pass into the field text: the exponent letter in capitals, the user's separator.
  QString text(result.ptr - buffer, Qt::Uninitialized);
  QChar* out = text.data();
  for (const char* c = buffer; c != result.ptr; ++c, ++out) {
    *out = *c == 'e' ? QLatin1Char('E') : *c == '.' ? userDecimalSeparator : QLatin1Char(*c);
  }
  return text;
}

}  // namespace vespera
