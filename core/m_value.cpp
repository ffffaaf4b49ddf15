// SPDX-License-Identifier: MIT
#include "m_value.h"

#include <cmath>
#include <optional>

#include "number_format.h"
#include "number_parse.h"

namespace threewire {
namespace {

// The rules use this short value of pi everywhere, the conversion back to degrees included.
constexpr double kPi = 3.1415926;

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

 private:
  void Fail(FailureKind kind, InputToCheck input) {
    if (!failure_) failure_ = Failure{kind, input};
  }

  std::optional<Failure> failure_;
};

}  // namespace

Result<MValueResult> ComputeMValue(std::string_view pitch, std::string_view starts,
                                   std::string_view pitch_diameter, std::string_view wire_diameter,
                                   std::string_view profile_angle, const NumberLocale& locale) {
  using enum InputToCheck;
  StepCheck check;
  const double P = check.Finite(ParseLenient(pitch), kPitch);
  const double n = check.Finite(ParseLenient(starts), kStarts);
  const double d2 = check.Finite(ParseLenient(pitch_diameter), kPitchDiameter);
  const double d0 = check.Finite(ParseLenient(wire_diameter), kWireDiameter);
  const double alpha = check.Finite(ParseLenient(profile_angle), kProfileAngle);

  // Half profile angle in radians, and its functions, each rounded to six decimals.
  const double theta = RoundTripFixed(((alpha / 2) / 180) * kPi, 6);
  const double c = RoundTripFixed(std::cos(theta), 6);
  const double s = RoundTripFixed(std::sin(theta), 6);
  const double t = RoundTripFixed(std::tan(theta), 6);

  const double L = check.Finite(n * P, kPitchOrStarts);  // lead

  // First estimate, then exactly one correction step for the helix.
  const double rho0 = check.Finite(
      0.5 * ((check.Divide(d2, c, kProfileAngle) - check.Divide(P, 2 * s, kProfileAngle)) +
             d0 * check.Divide(1, t, kProfileAngle)));
  const double S0 =
      check.Finite(std::sqrt((4 * std::pow(kPi, 2)) * std::pow(rho0, 2) + std::pow(L, 2)));
  const double g0 =
      check.Finite(rho0 * c + check.Divide(((kPi * d0) * rho0) * s, S0, kPitchOrStarts));
  const double h0 = check.Finite(-check.Divide(L * d0, 2 * S0, kPitchOrStarts));
  const double A = check.Finite(
      check.Divide(kPi, L, kPitchOrStarts) *
      ((P / 2 - d2 * t) - check.Divide((((2 * kPi) * d0) * rho0) * c, S0, kPitchOrStarts)));
  const double B = check.Finite(-check.Divide(h0, g0, kNone) -
                                check.Divide(((2 * kPi) * rho0) * s, L, kPitchOrStarts));
  const double delta = check.Finite(A - B);
  const double rho1 = check.Finite(rho0 + -check.Divide(L * delta, (2 * kPi) * s, kProfileAngle));
  const double S1 =
      check.Finite(std::sqrt((4 * std::pow(kPi, 2)) * std::pow(rho1, 2) + std::pow(L, 2)));
  const double g1 =
      check.Finite(rho1 * c + check.Divide(((kPi * d0) * rho1) * s, S1, kPitchOrStarts));
  // The rules keep h1 in single precision; its square below is taken in double.
  const double h1 = check.Finite(static_cast<float>(-check.Divide(L * d0, 2 * S1, kPitchOrStarts)),
                                 kWireDiameter);
  const double M = check.Finite((2 * std::sqrt(std::pow(g1, 2) + std::pow(h1, 2))) + d0);

  const double psi = std::atan(check.Divide(P * n, kPi * d2, kPitchDiameter));
  if (check.failure()) return std::unexpected(*check.failure());

  auto m_text = FormatSpaced(FormatFixed(M, 3, locale), locale);
  if (!m_text) return std::unexpected(m_text.error());
  return MValueResult{FormatFixed((psi * 180) / kPi, 3, locale), std::move(*m_text)};
}

}  // namespace threewire
