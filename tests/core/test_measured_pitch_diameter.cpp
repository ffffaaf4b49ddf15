// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "measured_pitch_diameter.h"

namespace threewire {
namespace {

struct Thread {
  const char* name;
  ThreadTexts texts;
  double pitch_diameter;
};

// Threads from 2° to 31° of lead, each with its best-size wire P / (2 cos(α/2)).
const Thread kThreads[] = {
    {"M10x1", {"1", "1", "0.577", "60"}, 9.350},                 // 1.95°
    {"M10x1.5", {"1.5", "1", "0.866", "60"}, 9.026},             // 3.03°
    {"Tr36x6, 3 starts", {"6", "3", "3.106", "30"}, 33},         // 9.85°
    {"Tr36x6, 5 starts", {"6", "5", "3.106", "30"}, 33},         // 16.1°
    {"P12, 4 starts", {"12", "4", "6.212", "30"}, 39.65},        // 21.1°
    {"Tr50x10, 7 starts", {"10", "7", "5.176", "30"}, 45},       // 26.3°
    {"Tr50x10, 8 starts", {"10", "8", "5.176", "30"}, 45},       // 29.5°
    {"worm m3, 6 starts", {"9.42478", "6", "5.015", "40"}, 30},  // 31.0°
};

// Pitch diameter → M → pitch diameter, by each model, comes back within 0.1 µm.
TEST(PitchDiameterForM, RoundTripsAcrossLeads) {
  for (const Thread& thread : kThreads) {
    SCOPED_TRACE(thread.name);
    for (const MModel model : {MModel::kOneStep, MModel::kConverged}) {
      const auto m = MForPitchDiameter(model, thread.texts, thread.pitch_diameter);
      ASSERT_TRUE(m);
      const auto back = PitchDiameterForM(model, thread.texts, *m);
      ASSERT_TRUE(back);
      EXPECT_NEAR(*back, thread.pitch_diameter, 1e-4);
    }
  }
}

// With next to no lead the wires sit as in a straight groove: M = d2 + d0 (1 + 1/sin(α/2)) −
// (P/2) cot(α/2), the textbook three-wire formula. The converged model meets it, both ways.
TEST(PitchDiameterForM, MeetsTheThreeWireFormulaWithoutLead) {
  const ThreadTexts thread{"1.5", "1e-6", "0.866", "60"};
  const double half_angle = std::numbers::pi / 6, d2 = 9.026;
  const double m = d2 + 0.866 * (1 + 1 / std::sin(half_angle)) - 0.75 / std::tan(half_angle);
  EXPECT_NEAR(*MForPitchDiameter(MModel::kConverged, thread, d2), m, 1e-9);
  EXPECT_NEAR(*PitchDiameterForM(MModel::kConverged, thread, m), d2, 1e-9);
}

TEST(PitchDiameterForM, FailsWhereTheCalculationFailsOrNoPartFits) {
  using enum FailureKind;
  const ThreadTexts tr36{"6", "3", "3.106", "30"};
  EXPECT_EQ(PitchDiameterForM(MModel::kOneStep, {"", "3", "3.106", "30"}, 40).error().input,
            InputToCheck::kPitchOrStarts);
  EXPECT_EQ(PitchDiameterForM(MModel::kConverged, {"6", "3", "3.106", ""}, 40).error().kind,
            kDivisionByZero);
  for (const MModel model : {MModel::kOneStep, MModel::kConverged}) {
    const auto far_too_small = PitchDiameterForM(model, tr36, 1);  // d2 + 2.7 mm, roughly
    EXPECT_FALSE(far_too_small) << *far_too_small;
  }
  EXPECT_FALSE(MForPitchDiameter(MModel::kOneStep, tr36, INFINITY));
}

}  // namespace
}  // namespace threewire
