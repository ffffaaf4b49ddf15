// SPDX-License-Identifier: MIT
#pragma once

#include <cmath>
#include <optional>

#include "failure.h"

namespace threewire {

// Records the first failing step of a calculation. Later steps still run on whatever values they
// get, but only the first failure is reported and no result is returned after one.
class StepCheck {
 public:
  // `numerator / divisor`, refusing a zero or non-finite divisor.
  double Divide(double numerator, double divisor, InputToCheck input) {
    if (divisor == 0) Fail(FailureKind::kDivisionByZero, input);
    if (!std::isfinite(divisor)) Fail(FailureKind::kOutOfRange, input);
    return numerator / divisor;
  }

  // A step's result, refused when it is not a finite number.
  double Finite(double value, InputToCheck input = InputToCheck::kNone) {
    if (!std::isfinite(value)) Fail(FailureKind::kOutOfRange, input);
    return value;
  }

  const std::optional<Failure>& failure() const { return failure_; }

  void Fail(FailureKind kind, InputToCheck input = InputToCheck::kNone) {
    if (!failure_) failure_ = Failure{kind, input};
  }

 private:
  std::optional<Failure> failure_;
};

}  // namespace threewire
