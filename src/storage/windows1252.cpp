// SPDX-License-Identifier: GPL-3.0-or-later

#include "storage/windows1252.h"

#include <array>

namespace vespera {
namespace {

// Windows-1252 agrees with Latin-1 everywhere except 0x80-0x9F, where it puts
// typographic characters instead of control codes. 0 marks the five bytes
// that are not assigned (0x81, 0x8D, 0x8F, 0x90, 0x9D).
constexpr std::array<char32_t, 32> kHighControlRow = {
    U'\u20AC', 0,         U'\u201A', U'\u0192', U'\u201E', U'\u2026', U'\u2020', U'\u2021',
    U'\u02C6', U'\u2030', U'\u0160', U'\u2039', U'\u0152', 0,         U'\u017D', 0,
    0,         U'\u2018', U'\u2019', U'\u201C', U'\u201D', U'\u2022', U'\u2013', U'\u2014',
    U'\u02DC', U'\u2122', U'\u0161', U'\u203A', U'\u0153', 0,         U'\u017E', U'\u0178',
};
constexpr char32_t kFirstHighControl = 0x80;
constexpr char32_t kLastHighControl = 0x9F;

std::optional<char> byteFor(char32_t code) {
  if (code < kFirstHighControl) return static_cast<char>(code);
  if (code > kLastHighControl && code <= 0xFF) return static_cast<char>(code);
  for (std::size_t i = 0; i < kHighControlRow.size(); ++i) {
    if (kHighControlRow[i] != 0 && kHighControlRow[i] == code) {
      return static_cast<char>(kFirstHighControl + i);
    }
  }
  // Everything else, the C1 control codes included, has no byte.
  return std::nullopt;
}

// The code point that starts at `at`, moving `at` past it; nothing for a byte sequence
// that is not UTF-8 (a stray continuation byte, a cut sequence, an overlong form, a
// surrogate). Only two-byte sequences can have a byte; longer ones are read whole and
// refused by byteFor.
std::optional<char32_t> nextCodePoint(std::string_view text, std::size_t& at) {
  const auto lead = static_cast<unsigned char>(text[at++]);
  if (lead < 0x80) return lead;
  int extra = 0;
  char32_t code = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1;
    code = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2;
    code = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3;
    code = lead & 0x07u;
  } else {
    return std::nullopt;
  }
  for (int i = 0; i < extra; ++i, ++at) {
    if (at >= text.size()) return std::nullopt;
    const auto next = static_cast<unsigned char>(text[at]);
    if ((next & 0xC0u) != 0x80u) return std::nullopt;
    code = (code << 6u) | (next & 0x3Fu);
  }
  constexpr std::array<char32_t, 4> kSmallestOfLength = {0, 0x80, 0x800, 0x10000};
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  if (code < kSmallestOfLength[extra] || surrogate || code > 0x10FFFF) return std::nullopt;
  return code;
}

}  // namespace

std::optional<std::string> encodeWindows1252(std::string_view utf8) {
  std::string bytes;
  bytes.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    const std::optional<char32_t> code = nextCodePoint(utf8, at);
    const std::optional<char> byte = code ? byteFor(*code) : std::nullopt;
    if (!byte) return std::nullopt;
    bytes += *byte;
  }
  return bytes;
}

std::string savableDecimalSeparator(std::string_view localeSeparator) {
  const std::optional<std::string> byte = encodeWindows1252(localeSeparator);
  return byte && byte->size() == 1 ? std::string(localeSeparator) : ".";
}

}  // namespace vespera
