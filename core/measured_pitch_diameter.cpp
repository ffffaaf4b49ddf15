// SPDX-License-Identifier: MIT
#include "measured_pitch_diameter.h"

#include <cmath>

namespace threewire {
namespace {

// The solution is taken once a step moves the pitch diameter by less than this (mm), far below
// the 0.1 µm the result is shown to; the one-step M's single-precision h leaves steps in M of
// about 1e-8 mm, so this is as close as it can come.
constexpr double kSettledStep = 1e-9;
constexpr int kMaxSteps = 50;
// What the settled pitch diameter's M may miss the measured one by (mm).
constexpr double kMissedM = 1e-7;

}  // namespace

Result<double> MForPitchDiameter(MModel model, const ThreadTexts& texts, double pitch_diameter) {
  StepCheck check;
  LeadThread thread = ReadLeadThread(model, texts.pitch, texts.starts, "", texts.wire_diameter,
                                     texts.profile_angle, check);
  thread.d2 = check.Finite(pitch_diameter, InputToCheck::kPitchDiameter);
  const double M = ModelM(model, thread, check);
  if (check.failure()) return std::unexpected(*check.failure());
  return M;
}

Result<double> PitchDiameterForM(MModel model, const ThreadTexts& thread, double m) {
  // Secant steps from two guesses: M itself, and M less the thread's M − d2 there.
  double d2 = m;
  auto m_at = MForPitchDiameter(model, thread, d2);
  if (!m_at) return m_at;
  double previous_d2 = d2, previous_m = *m_at;
  d2 = m - (*m_at - m);
  for (int step = 0; step < kMaxSteps; ++step) {
    m_at = MForPitchDiameter(model, thread, d2);
    if (!m_at) return m_at;
    const double slope = (*m_at - previous_m) / (d2 - previous_d2);
    const double next = std::isfinite(slope) && slope > 0 ? d2 - (*m_at - m) / slope : d2;
    // M is nearly linear in the pitch diameter: a step to a pitch diameter of zero or less means
    // that no part has this M.
    if (!(next > 0)) return std::unexpected(Failure{FailureKind::kOutOfRange});
    previous_d2 = d2;
    previous_m = *m_at;
    const bool settled = std::abs(next - d2) < kSettledStep;
    d2 = next;
    if (settled && std::abs(previous_m - m) < kMissedM) return d2;
  }
  return std::unexpected(Failure{FailureKind::kNoConvergence});
}

}  // namespace threewire
