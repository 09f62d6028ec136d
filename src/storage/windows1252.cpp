#include "storage/windows1252.h"

#include <array>

namespace vespera {
namespace {

// Windows-1252 agrees with Latin-1 everywhere except 0x80-0x9F, where it puts
// typographic characters instead of control codes. 0 marks the five bytes
// that are not assigned (0x81, 0x8D, 0x8F, 0x90, 0x9D).
constexpr std::array<char16_t, 32> kHighControlRow = {
    u'\u20AC', 0,         u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', 0,         u'\u017D', 0,
    0,         u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', 0,         u'\u017E', u'\u0178',
};
constexpr char16_t kFirstHighControl = 0x80;
constexpr char16_t kLastHighControl = 0x9F;

std::optional<char> byteFor(char16_t unit) {
  if (unit < kFirstHighControl) return static_cast<char>(unit);
  if (unit > kLastHighControl && unit <= 0xFF) return static_cast<char>(unit);
  for (std::size_t i = 0; i < kHighControlRow.size(); ++i) {
    if (kHighControlRow[i] != 0 && kHighControlRow[i] == unit) {
      return static_cast<char>(kFirstHighControl + i);
    }
  }
  // Everything else, the C1 control codes and both halves of a surrogate
  // pair included, has no byte.
  return std::nullopt;
}

}  // namespace

std::optional<QByteArray> encodeWindows1252(const QString& text) {
  QByteArray bytes;
  bytes.reserve(text.size());
  for (const QChar c : text) {
    const std::optional<char> byte = byteFor(c.unicode());
    if (!byte) return std::nullopt;
    bytes.append(*byte);
  }
  return bytes;
}

}  // namespace vespera
