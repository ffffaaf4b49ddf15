// SPDX-License-Identifier: MIT
#include "best_wire_diameter.h"

#include <cmath>

#include "number_format.h"
#include "number_parse.h"

namespace threewire {
namespace {

// This calculator has always used the four-decimal pi.
constexpr double kShortPi = 3.1415;

Result<double> ReadInput(std::string_view text, const NumberLocale& locale, InputToCheck input) {
  auto number = ParseStrict(text, locale);
  if (!number) number.error().input = input;
  return number;
}

std::unexpected<Failure> Refuse(FailureKind kind, InputToCheck input) {
  return std::unexpected(Failure{kind, input});
}

}  // namespace

Result<std::string> ComputeBestWireDiameter(std::string_view pitch, std::string_view profile_angle,
                                            const NumberLocale& locale) {
  const auto alpha = ReadInput(profile_angle, locale, InputToCheck::kProfileAngle);
  if (!alpha) return std::unexpected(alpha.error());
  const double half_angle = ((*alpha / 2) * kShortPi) / 180;
  if (!std::isfinite(half_angle))
    return Refuse(FailureKind::kOutOfRange, InputToCheck::kProfileAngle);
  const double c = std::cos(half_angle);

  const auto P = ReadInput(pitch, locale, InputToCheck::kPitch);
  if (!P) return std::unexpected(P.error());
  if (c + c == 0) return Refuse(FailureKind::kDivisionByZero, InputToCheck::kProfileAngle);
  const double d0 = *P / (c + c);
  if (!std::isfinite(d0)) return Refuse(FailureKind::kOutOfRange, InputToCheck::kNone);
  return FormatGeneral(d0, locale);
}

}  // namespace threewire
