// SPDX-License-Identifier: MIT
#include "lead_correction.h"

#include <cmath>
#include <numbers>

#include "number_format.h"
#include "number_parse.h"

namespace threewire {
namespace {

// The window's rules use this short value of pi everywhere, the conversion back to degrees
// included, and round the half profile angle in radians, and its functions, to six decimals.
constexpr double kShortPi = 3.1415926;
double RoundToSixDecimals(double value) { return RoundTripFixed(value, 6); }
double Unrounded(double value) { return value; }

// The converged model has settled when a step moves the radius by less than this (mm), far below
// any measurement. Ordinary threads settle in a handful of steps; a run this long does not settle.
constexpr double kSettledStep = 1e-12;
constexpr int kMaxSteps = 100;

// M over the wires, 2 sqrt(g² + h²) + d0, unchecked.
double MOverWires(double g, double h, double d0) {
  return (2 * std::sqrt(std::pow(g, 2) + std::pow(h, 2))) + d0;
}

double OneStepM(const LeadThread& thread, StepCheck& check) {
  const double rho1 = CorrectRadius(thread, RadiusWithoutLead(thread, check), check);
  const WirePlace wire = PlaceWire(thread, rho1, check);
  // The rules keep h1 in single precision; its square below is taken in double.
  const double h1 = check.Finite(static_cast<float>(wire.h), InputToCheck::kWireDiameter);
  return check.Finite(MOverWires(wire.g, h1, thread.d0));
}

double ConvergedM(const LeadThread& thread, StepCheck& check) {
  double rho = RadiusWithoutLead(thread, check);
  for (int step = 0;; ++step) {
    if (check.failure()) return rho;
    if (step == kMaxSteps) {
      check.Fail(FailureKind::kNoConvergence);
      return rho;
    }
    const double next = CorrectRadius(thread, rho, check);
    const bool settled = std::abs(next - rho) < kSettledStep;
    rho = next;
    if (settled) break;
  }
  const WirePlace wire = PlaceWire(thread, rho, check);
  return check.Finite(
      MOverWires(wire.g, check.Finite(wire.h, InputToCheck::kWireDiameter), thread.d0));
}

}  // namespace

LeadThread ReadLeadThread(MModel model, std::string_view pitch, std::string_view starts,
                          std::string_view pitch_diameter, std::string_view wire_diameter,
                          std::string_view profile_angle, StepCheck& check) {
  using enum InputToCheck;
  const bool one_step = model == MModel::kOneStep;
  const double pi = one_step ? kShortPi : std::numbers::pi;
  const auto round = one_step ? RoundToSixDecimals : Unrounded;
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

double ModelM(MModel model, const LeadThread& thread, StepCheck& check) {
  return model == MModel::kOneStep ? OneStepM(thread, check) : ConvergedM(thread, check);
}

}  // namespace threewire
