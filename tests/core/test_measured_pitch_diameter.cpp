// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "exact_m_value.h"
#include "m_value.h"
#include "measured_pitch_diameter.h"
#include "number_format.h"
#include "plain_numbers.h"

namespace threewire {
namespace {

constexpr MModel kModels[] = {MModel::kOneStep, MModel::kConverged};

// Pitch diameter → M → pitch diameter, by each model, comes back within 0.1 µm, for threads from
// 2° to 31° of lead, each with its best-size wire P / (2 cos(α/2)). The M on the way is the
// window's: the one-step M shows the digits of 显示M值, the converged one is the M box's note's.
TEST(PitchDiameterForM, RoundTripsAcrossLeadsThroughTheWindowsM) {
  const std::tuple<const char*, ThreadTexts, double> threads[] = {
      {"M10x1, 1.95°", {"1", "1", "0.577", "60"}, 9.350},
      {"M10x1.5, 3.03°", {"1.5", "1", "0.866", "60"}, 9.026},
      {"Tr36x6, 3 starts, 9.85°", {"6", "3", "3.106", "30"}, 33},
      {"Tr36x6, 5 starts, 16.1°", {"6", "5", "3.106", "30"}, 33},
      {"P12, 4 starts, 21.1°", {"12", "4", "6.212", "30"}, 39.65},
      {"Tr50x10, 7 starts, 26.3°", {"10", "7", "5.176", "30"}, 45},
      {"Tr50x10, 8 starts, 29.5°", {"10", "8", "5.176", "30"}, 45},
      {"worm m3, 6 starts, 31.0°", {"9.42478", "6", "5.015", "40"}, 30},
  };
  for (const auto& [name, thread, pitch_diameter] : threads) {
    SCOPED_TRACE(name);
    const auto [pitch, starts, wire, angle] = thread;
    const std::string d2 = testing_support::Shortest(pitch_diameter);
    const auto shown = ComputeMValue(pitch, starts, d2, wire, angle);
    const auto exact = ComputeExactMValue(pitch, starts, d2, wire, angle);
    ASSERT_TRUE(shown && exact);
    for (const MModel model : kModels) {
      const auto m = MForPitchDiameter(model, thread, pitch_diameter);
      ASSERT_TRUE(m);
      if (model == MModel::kOneStep) EXPECT_EQ(FormatSpaced(FormatFixed(*m, 3)), shown->m_text);
      if (model == MModel::kConverged) EXPECT_EQ(*m, *exact);
      const auto back = PitchDiameterForM(model, thread, *m);
      ASSERT_TRUE(back);
      EXPECT_NEAR(*back, pitch_diameter, 1e-4);
    }
  }
}

// With next to no lead the wires sit as in a straight groove: M = d2 + d0 (1 + 1/sin(α/2)) −
// (P/2) cot(α/2), the textbook three-wire formula. The converged model meets it, both ways.
TEST(PitchDiameterForM, MeetsTheThreeWireFormulaWithoutLead) {
  const ThreadTexts thread{"1.5", "1e-6", "0.866", "60"};
  const double half_angle = std::numbers::pi / 6, d2 = 9.026;
  const double m = d2 + 0.866 * (1 + 1 / std::sin(half_angle)) - 0.75 / std::tan(half_angle);
  const auto m_for_d2 = MForPitchDiameter(MModel::kConverged, thread, d2);
  const auto d2_for_m = PitchDiameterForM(MModel::kConverged, thread, m);
  ASSERT_TRUE(m_for_d2 && d2_for_m);
  EXPECT_NEAR(*m_for_d2, m, 1e-9);
  EXPECT_NEAR(*d2_for_m, d2, 1e-9);
}

// An M below any part that could have it, or a pitch diameter beyond the range, has no answer.
TEST(PitchDiameterForM, FailsWhereNoPartFits) {
  const ThreadTexts tr36{"6", "3", "3.106", "30"};
  for (const MModel model : kModels) {
    const auto far_too_small = PitchDiameterForM(model, tr36, 1);  // d2 + 2.7 mm, roughly
    EXPECT_FALSE(far_too_small) << *far_too_small;
  }
  EXPECT_FALSE(MForPitchDiameter(MModel::kOneStep, tr36, INFINITY));
}

}  // namespace
}  // namespace threewire
