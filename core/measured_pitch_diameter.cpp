// SPDX-License-Identifier: MIT
#include "measured_pitch_diameter.h"

#include <cmath>

namespace threewire {
namespace {

// How near the solution's M comes to the measured one (mm): M grows with the pitch diameter at a
// rate close to one, so the pitch diameter is as near, far below the 0.1 µm it is shown to. The
// one-step M's single-precision h leaves steps in M of about 1e-8 mm on ordinary threads.
constexpr double kMissedM = 1e-7;
constexpr int kMaxSteps = 50;

// The thread of the boxes, read once, whose M is then taken for any pitch diameter.
class ThreadModel {
 public:
  ThreadModel(MModel model, const ThreadTexts& texts)
      : model_(model),
        thread_(ReadLeadThread(model, texts.pitch, texts.starts, "", texts.wire_diameter,
                               texts.profile_angle, read_)) {}

  Result<double> M(double pitch_diameter) const {
    StepCheck check = read_;  // a failure in reading the boxes comes first
    LeadThread thread = thread_;
    thread.d2 = check.Finite(pitch_diameter, InputToCheck::kPitchDiameter);
    const double M = ModelM(model_, thread, check);
    if (check.failure()) return std::unexpected(*check.failure());
    return M;
  }

 private:
  MModel model_;
  StepCheck read_;
  LeadThread thread_;
};

}  // namespace

Result<double> MForPitchDiameter(MModel model, const ThreadTexts& texts, double pitch_diameter) {
  return ThreadModel(model, texts).M(pitch_diameter);
}

Result<double> PitchDiameterForM(MModel model, const ThreadTexts& texts, double m) {
  const ThreadModel thread(model, texts);
  double d2 = m, previous_d2 = 0, previous_m = 0;
  for (int step = 0; step < kMaxSteps; ++step) {
    const auto m_at = thread.M(d2);
    if (!m_at) return m_at;
    if (std::abs(*m_at - m) < kMissedM) return d2;
    // The first step takes M to move one for one with the pitch diameter, the later ones the
    // secant through the last two.
    const double secant = (*m_at - previous_m) / (d2 - previous_d2);
    const double slope = step > 0 && std::isfinite(secant) && secant > 0 ? secant : 1;
    previous_d2 = d2;
    previous_m = *m_at;
    d2 -= (*m_at - m) / slope;
    // M is nearly linear in the pitch diameter: a step to zero or less means no part has this M.
    if (!(d2 > 0)) return std::unexpected(Failure{FailureKind::kOutOfRange});
  }
  return std::unexpected(Failure{FailureKind::kNoConvergence});
}

}  // namespace threewire
