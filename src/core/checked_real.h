#pragma once

#include "core/runtime_error.h"

namespace vespera {

// A double whose arithmetic notes every invalid operation, division by zero and
// overflow in a sticky register, the way a floating-point unit raises its
// exception flags. Handlers compute with it in plain notation and call
// FaultTests::check() at their fault tests, which throws if anything was noted
// since the previous test. Tracking it in code rather than through <cfenv>
// keeps it exact under any optimisation level or sanitizer.
class Real {
 public:
  constexpr Real(double value = 0.0) : value_(value) {}  // NOLINT: implicit by design
  constexpr double value() const { return value_; }

  friend Real operator+(Real a, Real b);
  friend Real operator-(Real a, Real b);
  friend Real operator*(Real a, Real b);
  friend Real operator/(Real a, Real b);
  friend Real operator-(Real a) { return Real(-a.value_); }

 private:
  double value_;
};

Real naturalLog(Real x);  // throws ArithmeticFault at once for x <= 0
Real power(Real base, Real exponent);
Real squareRoot(Real x);
Real tangent(Real radians);

// One handler's run: construction clears the register, check() is a fault test.
class FaultTests {
 public:
  FaultTests();
  void check();
};

}  // namespace vespera
