// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/runtime_error.h"

namespace vespera {

// A double whose arithmetic notes every invalid operation, division by zero and
// overflow in a sticky register, the way a floating-point unit raises its
// exception flags. Handlers compute with it in plain notation and call
// FaultRegister::check() at their fault tests, which throws if anything was noted
// since the previous test. Tracking it in code rather than through <cfenv>
// keeps it exact under any optimisation level or sanitizer.
class CheckedReal {
 public:
  constexpr CheckedReal(double value = 0.0) : value_(value) {}  // NOLINT: implicit by design
  constexpr double value() const { return value_; }

  friend CheckedReal operator+(CheckedReal a, CheckedReal b);
  friend CheckedReal operator-(CheckedReal a, CheckedReal b);
  friend CheckedReal operator*(CheckedReal a, CheckedReal b);
  friend CheckedReal operator/(CheckedReal a, CheckedReal b);
  friend CheckedReal operator-(CheckedReal a) { return CheckedReal(-a.value_); }

 private:
  double value_;
};

CheckedReal naturalLog(CheckedReal x);  // throws ArithmeticFault at once for x <= 0
CheckedReal power(CheckedReal base, CheckedReal exponent);
CheckedReal squareRoot(CheckedReal x);
CheckedReal tangent(CheckedReal radians);

// The sticky register for one handler's run: construction clears it, and check(), a fault
// test, throws the first fault noted since it was cleared.
class FaultRegister {
 public:
  FaultRegister();
  void check();
};

}  // namespace vespera
