// SPDX-License-Identifier: MIT
#include "exact_m_value.h"

#include <cmath>
#include <numbers>

#include "lead_correction.h"

namespace threewire {
namespace {

// Settled when a step moves the radius by less than this (mm), far below any measurement.
constexpr double kSettledStep = 1e-12;
// Ordinary threads settle in a handful of steps; a run this long does not settle at all.
constexpr int kMaxSteps = 100;

double Unrounded(double value) { return value; }

}  // namespace

Result<double> ComputeExactMValue(std::string_view pitch, std::string_view starts,
                                  std::string_view pitch_diameter, std::string_view wire_diameter,
                                  std::string_view profile_angle) {
  StepCheck check;
  const LeadThread thread = ReadLeadThread(pitch, starts, pitch_diameter, wire_diameter,
                                           profile_angle, std::numbers::pi, Unrounded, check);
  double rho = RadiusWithoutLead(thread, check);
  for (int step = 0;; ++step) {
    if (check.failure()) return std::unexpected(*check.failure());
    if (step == kMaxSteps) return std::unexpected(Failure{FailureKind::kNoConvergence});
    const double next = CorrectRadius(thread, rho, check);
    const bool settled = std::abs(next - rho) < kSettledStep;
    rho = next;
    if (settled) break;
  }
  const WirePlace wire = PlaceWire(thread, rho, check);
  const double M = check.Finite(
      MOverWires(wire.g, check.Finite(wire.h, InputToCheck::kWireDiameter), thread.d0));
  if (check.failure()) return std::unexpected(*check.failure());
  return M;
}

}  // namespace threewire
