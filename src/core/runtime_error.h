// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace vespera {

// An error that stops a handler and is reported to the user in one message (UTF-8).
// Handlers without an error branch of their own let it reach runHandler().
class RuntimeError : public std::runtime_error {
 public:
  explicit RuntimeError(const std::string& message) : std::runtime_error(message) {}
  std::string message() const { return what(); }
};

// The ways arithmetic can stop a handler.
enum class FaultKind : std::uint8_t {
  InvalidOperation,  // 0/0, inf - inf, 0 * inf, square root of a negative
  DivisionByZero,
  Overflow,         // a result, or a number read from a field, beyond the double range
  LogarithmDomain,  // logarithm of zero or of a negative number
};

class ArithmeticFault : public RuntimeError {
 public:
  explicit ArithmeticFault(FaultKind kind) : RuntimeError(describe(kind)), kind_(kind) {}
  FaultKind kind() const { return kind_; }
  static std::string describe(FaultKind kind);

 private:
  FaultKind kind_;
};

}  // namespace vespera
