// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>
#include <string>
#include <tuple>

#include "m_value.h"
#include "number_parse.h"
#include "plain_numbers.h"

namespace threewire {
namespace {

using std::numbers::pi;
using testing_support::Shortest;

using Inputs = std::array<std::string, 5>;  // pitch, starts, pitch diameter, wire, angle

Result<MValueResult> Compute(const Inputs& in, const NumberLocale& locale = {}) {
  return ComputeMValue(in[0], in[1], in[2], in[3], in[4], locale);
}

// The worked examples of the rules, and texts from a separate implementation of the same rules
// in another language, with decimal arithmetic for the text roundings. The user's decimal
// separator reaches the lead angle only: the M text always has a point.
TEST(ComputeMValue, MatchesTheRulesDigitForDigit) {
  const NumberLocale point{}, german{",", "."};
  const std::tuple<Inputs, NumberLocale, std::string> cases[] = {
      {{"1.5", "1", "9.026", "0.866", "60"}, point, "3.028 10.327"},
      {{"1.5", "1", "9.026", "0.866", "60"}, german, "3,028 10.327"},
      {{"6", "3", "36", "3.106", "30"}, point, "9.043 40.048"},
      {{"2", "4", "18.701", "1.157", "60"}, point, "7.754 20.456"},
      {{"1.5mm", "1,9", "9. 026", "0.866\n", "60°"}, point, "3.028 10.327"},  // read leniently
      {{"1.5", "1.5", "9.026", "0.866", "60"}, point, "4.537 10.329"},        // fractional starts
      {{"1.5", "1", "9.026", "0.866", "-60"}, point, "3.028 9.457"},
      {{"0.2", "1", "0.5", "0.118", "60"}, point, "7.256 .682"},     // no zero before the point
      {{"4", "4", "45.769", "0.866", "30"}, point, "6.349 42.54"},   // nor a trailing one
      {{"4", "1", "41.552", "2.309", "60"}, point, "1.755 45.017"},  // the tangent to six decimals
      {{"1", "2", "17.474", "0.577", "60"}, point, "2.087 18.34"},   // pi as 3.1415926, not 3.14159265
  };
  for (const auto& [in, locale, expected] : cases) {
    const auto result = Compute(in, locale);
    ASSERT_TRUE(result) << expected;
    EXPECT_EQ(result->lead_angle_text + result->m_text, expected);
  }
}

TEST(ComputeMValue, StopsAtTheFirstFailingStepAndNamesTheBox) {
  using enum FailureKind;
  using enum InputToCheck;
  const std::tuple<Inputs, Failure> cases[] = {
      {{"", "", "", "0.118", ""}, {kDivisionByZero, kProfileAngle}},  // the first contents
      {{"0", "1", "9.026", "0.866", "60"}, {kDivisionByZero, kPitchOrStarts}},
      {{"1.5", "1", "9", "0.866", "180"}, {kDivisionByZero, kProfileAngle}},  // cosine 0
      {{"1.5", "1", "0", "2", "60"}, {kDivisionByZero, kPitchDiameter}},
      {{"1e400", "1", "9.026", "0.866", "60"}, {kOutOfRange, kPitch}},
      {{"1.5", "-1e999", "9.026", "0.866", "60"}, {kOutOfRange, kStarts}},
      {{"1.5", "1", "9.026", "1e309", "60"}, {kOutOfRange, kWireDiameter}},
      {{"1.5", "1", "9.026", "0.866", "2e308"}, {kOutOfRange, kProfileAngle}},
      {{"1e200", "1e200", "9.026", "0.866", "60"}, {kOutOfRange, kPitchOrStarts}},
      {{"1.5", "1", "1e308", "0.866", "60"}, {kOutOfRange, kNone}},
  };
  for (const auto& [in, expected] : cases)
    EXPECT_EQ(Compute(in), std::unexpected(expected)) << in[0];
}

// Physics, independent of the rules' steps: the classical measurement without lead is
// Mc = d2 + d0 (1 + 1/sin(α/2)) - (P/2) cot(α/2), and the lead raises it by about
// (d0/2) tan²ψ cos(α/2) cot(α/2), ψ the lead angle. For ordinary threads the shown M agrees
// with both within 4 µm, and more starts (a steeper helix) never lower it.
TEST(ComputeMValue, AgreesWithTheClassicalLeadCorrection) {
  for (const double alpha : {30.0, 55.0, 60.0}) {
    const double half = alpha / 2 * pi / 180;
    for (const double P : {0.2, 0.5, 1.5, 3.0, 8.0}) {
      for (const auto [d0, d2] : {std::pair{0.9 * P / (2 * std::cos(half)), 12 * P},
                                  {1.1 * P / (2 * std::cos(half)), 40 * P}}) {
        const double Mc = d2 + d0 * (1 + 1 / std::sin(half)) - (P / 2) / std::tan(half);
        double previous_excess = -1;
        for (int starts = 1; std::atan(starts * P / (pi * d2)) <= 3.5 * pi / 180; ++starts) {
          SCOPED_TRACE(testing::Message()
                       << alpha << "° P " << P << " d2 " << d2 << " n " << starts);
          const auto result = ComputeMValue(Shortest(P), Shortest(starts), Shortest(d2),
                                            Shortest(d0), Shortest(alpha));
          ASSERT_TRUE(result);
          const double psi = std::atan(starts * P / (pi * d2));
          const double excess = ParseLenient(result->m_text) - Mc;
          EXPECT_NEAR(excess, d0 / 2 * std::pow(std::tan(psi), 2) * std::cos(half) / std::tan(half),
                      0.004);
          EXPECT_GE(excess, previous_excess);
          previous_excess = excess;
        }
      }
    }
  }
}

}  // namespace
}  // namespace threewire
