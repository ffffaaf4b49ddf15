// SPDX-License-Identifier: MIT
#include "lead_correction.h"

#include <cmath>

#include "number_parse.h"

namespace threewire {

LeadThread ReadLeadThread(std::string_view pitch, std::string_view starts,
                          std::string_view pitch_diameter, std::string_view wire_diameter,
                          std::string_view profile_angle, double pi, double (*round)(double),
                          StepCheck& check) {
  using enum InputToCheck;
  const double P = check.Finite(ParseLenient(pitch), kPitch);
  const double n = check.Finite(ParseLenient(starts), kStarts);
  const double d2 = check.Finite(ParseLenient(pitch_diameter), kPitchDiameter);
  const double d0 = check.Finite(ParseLenient(wire_diameter), kWireDiameter);
  const double alpha = check.Finite(ParseLenient(profile_angle), kProfileAngle);

  const double theta = round(((alpha / 2) / 180) * pi);
  const double c = round(std::cos(theta));
  const double s = round(std::sin(theta));
  const double t = round(std::tan(theta));
  const double L = check.Finite(n * P, kPitchOrStarts);
  return {pi, c, s, t, P, n, d2, d0, L};
}

double RadiusWithoutLead(const LeadThread& thread, StepCheck& check) {
  using enum InputToCheck;
  const auto& [pi, c, s, t, P, n, d2, d0, L] = thread;
  return check.Finite(
      0.5 * ((check.Divide(d2, c, kProfileAngle) - check.Divide(P, 2 * s, kProfileAngle)) +
             d0 * check.Divide(1, t, kProfileAngle)));
}

WirePlace PlaceWire(const LeadThread& thread, double rho, StepCheck& check) {
  using enum InputToCheck;
  const auto& [pi, c, s, t, P, n, d2, d0, L] = thread;
  const double S =
      check.Finite(std::sqrt((4 * std::pow(pi, 2)) * std::pow(rho, 2) + std::pow(L, 2)));
  const double g = check.Finite(rho * c + check.Divide(((pi * d0) * rho) * s, S, kPitchOrStarts));
  const double h = -check.Divide(L * d0, 2 * S, kPitchOrStarts);
  return {S, g, h};
}

double CorrectRadius(const LeadThread& thread, double rho, StepCheck& check) {
  using enum InputToCheck;
  const auto& [pi, c, s, t, P, n, d2, d0, L] = thread;
  const auto [S, g, unchecked_h] = PlaceWire(thread, rho, check);
  const double h = check.Finite(unchecked_h);
  const double A = check.Finite(
      check.Divide(pi, L, kPitchOrStarts) *
      ((P / 2 - d2 * t) - check.Divide((((2 * pi) * d0) * rho) * c, S, kPitchOrStarts)));
  const double B = check.Finite(-check.Divide(h, g, kNone) -
                                check.Divide(((2 * pi) * rho) * s, L, kPitchOrStarts));
  const double delta = check.Finite(A - B);
  return check.Finite(rho + -check.Divide(L * delta, (2 * pi) * s, kProfileAngle));
}

double MOverWires(double g, double h, double d0) {
  return (2 * std::sqrt(std::pow(g, 2) + std::pow(h, 2))) + d0;
}

}  // namespace threewire
