// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/checked_real.h"

#include <cmath>

namespace vespera {
namespace {

// The sticky flags: the first fault since the last test, as handlers run one at
// a time on the user-interface thread.
// NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables): per thread, like FPU flags
thread_local bool gFaultPending = false;
// NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables): per thread, like FPU flags
thread_local FaultKind gPendingKind = FaultKind::InvalidOperation;

void raise(FaultKind kind) {
  if (!gFaultPending) {
    gFaultPending = true;
    gPendingKind = kind;
  }
}

// Compares a result with its operands: a NaN out of non-NaN operands is an
// invalid operation, an infinity out of finite operands an overflow.
CheckedReal noted(double result, double a, double b = 0.0) {
  if (std::isnan(result) && !std::isnan(a) && !std::isnan(b)) {
    raise(FaultKind::InvalidOperation);
  } else if (std::isinf(result) && std::isfinite(a) && std::isfinite(b)) {
    raise(FaultKind::Overflow);
  }
  return CheckedReal(result);
}

}  // namespace

CheckedReal operator+(CheckedReal a, CheckedReal b) {
  return noted(a.value_ + b.value_, a.value_, b.value_);
}
CheckedReal operator-(CheckedReal a, CheckedReal b) {
  return noted(a.value_ - b.value_, a.value_, b.value_);
}
CheckedReal operator*(CheckedReal a, CheckedReal b) {
  return noted(a.value_ * b.value_, a.value_, b.value_);
}

CheckedReal operator/(CheckedReal a, CheckedReal b) {
  if (b.value_ == 0.0 && std::isfinite(a.value_) && a.value_ != 0.0) {
    raise(FaultKind::DivisionByZero);
  }
  return noted(a.value_ / b.value_, a.value_, b.value_);
}

CheckedReal naturalLog(CheckedReal x) {
  if (!(x.value() > 0.0)) throw ArithmeticFault(FaultKind::LogarithmDomain);
  return noted(std::log(x.value()), x.value());
}

CheckedReal power(CheckedReal base, CheckedReal exponent) {
  return noted(std::pow(base.value(), exponent.value()), base.value(), exponent.value());
}

CheckedReal squareRoot(CheckedReal x) { return noted(std::sqrt(x.value()), x.value()); }

CheckedReal tangent(CheckedReal radians) {
  return noted(std::tan(radians.value()), radians.value());
}

FaultRegister::FaultRegister() { gFaultPending = false; }

void FaultRegister::check() {
  if (gFaultPending) {
    gFaultPending = false;
    throw ArithmeticFault(gPendingKind);
  }
}

}  // namespace vespera
