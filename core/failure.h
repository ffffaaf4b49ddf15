// SPDX-License-Identifier: MIT
#pragma once

#include <expected>

namespace threewire {

enum class FailureKind {
  kNotANumber,      // a text that is not one number
  kDivisionByZero,  // a step divides by zero
  kOutOfRange,      // a value beyond the binary64 range, or a step whose result is not finite
  kNoConvergence,   // repeated correction steps do not settle within their limit
};

// The input box the user should look at, where the failing step tells it.
enum class InputToCheck {
  kNone,
  kPitch,
  kStarts,
  kPitchOrStarts,  // the lead n × P is zero
  kPitchDiameter,
  kWireDiameter,
  kProfileAngle,
};

struct Failure {
  FailureKind kind;
  InputToCheck input = InputToCheck::kNone;

  friend bool operator==(const Failure&, const Failure&) = default;
};

// A value, or the reason why there is none. Tests true on success: `if (auto r = ...) use(*r);`
template <class T>
using Result = std::expected<T, Failure>;

}  // namespace threewire
