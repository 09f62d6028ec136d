// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/decimal_text.h"

#include <cmath>
#include <version>

#if __cpp_lib_to_chars >= 201611L
#include <charconv>
#else
#include <cstdio>
#include <cstdlib>
#endif

namespace vespera {

#if __cpp_lib_to_chars >= 201611L

// The standard library's own conversions: exact, and blind to the locale.
namespace {

template <typename Number>
std::optional<Number> readWith(std::string_view plain) {
  Number value = 0;
  const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (error == std::errc::result_out_of_range) return std::nullopt;
  return value;
}

}  // namespace

std::optional<double> readDecimal(std::string_view plain) { return readWith<double>(plain); }

std::optional<long double> readWideDecimal(std::string_view plain) {
  return readWith<long double>(plain);
}

std::string writeDecimal(double value, int significant) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, significant);
  return {buffer, result.ptr};
}

#else

// Where the standard library has no floating-point charconv (the WebAssembly build's), the
// C library does the same work; that build never leaves the C locale.
namespace {

// A finite number written with a non-zero digit that came out as zero or infinite.
template <typename Number>
std::optional<Number> inRange(Number value, std::string_view plain) {
  const std::string_view mantissa = plain.substr(0, plain.find('e'));
  const bool nonZero = mantissa.find_first_of("123456789") != std::string_view::npos;
  if (std::isinf(value) || (value == 0 && nonZero)) return std::nullopt;
  return value;
}

}  // namespace

std::optional<double> readDecimal(std::string_view plain) {
  const std::string text(plain);
  return inRange(std::strtod(text.c_str(), nullptr), plain);
}

std::optional<long double> readWideDecimal(std::string_view plain) {
  const std::string text(plain);
  return inRange(std::strtold(text.c_str(), nullptr), plain);
}

std::string writeDecimal(double value, int significant) {
  char buffer[64];
  const int size = std::snprintf(buffer, sizeof buffer, "%.*g", significant, value);
  return {buffer, static_cast<std::size_t>(size)};
}

#endif

}  // namespace vespera
