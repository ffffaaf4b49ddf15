// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "m_value.h"
#include "plain_numbers.h"

namespace threewire {
namespace {

using testing_support::ReadNumber;
using testing_support::Shortest;

struct Inputs {
  std::string pitch, starts, pitch_diameter, wire_diameter, profile_angle;
};

Result<MValueResult> Compute(const Inputs& in, const NumberLocale& locale = {}) {
  return ComputeMValue(in.pitch, in.starts, in.pitch_diameter, in.wire_diameter, in.profile_angle,
                       locale);
}

struct ResultCase {
  const char* name;
  Inputs in;
  const char* lead_angle;
  const char* m;
};

// Expected texts come from the worked examples of the rules, and from a separate implementation
// of the same rules written in another language with decimal arithmetic for the text roundings.
TEST(ComputeMValue, MatchesTheRulesDigitForDigit) {
  const ResultCase cases[] = {
      {"worked example, single start", {"1.5", "1", "9.026", "0.866", "60"}, "3.028", " 10.327"},
      {"worked example, 30 degrees", {"6", "3", "36", "3.106", "30"}, "9.043", " 40.048"},
      {"worked example, four starts", {"2", "4", "18.701", "1.157", "60"}, "7.754", " 20.456"},
      {"fractional starts taken as typed",
       {"1.5", "1.5", "9.026", "0.866", "60"},
       "4.537",
       " 10.329"},
      {"negative profile angle", {"1.5", "1", "9.026", "0.866", "-60"}, "3.028", " 9.457"},
      {"below 1 loses its zero", {"0.2", "1", "0.5", "0.118", "60"}, "7.256", " .682"},
      {"third decimal zero", {"4", "4", "45.769", "0.866", "30"}, "6.349", " 42.54"},
      {"whole millimetres", {"3", "2", "58.446", "2.05", "60"}, "1.872", " 62"},
      {"55 degrees", {"4", "2", "25", "2.05", "55"}, "5.816", " 27.666"},
      {"29 degrees", {"5", "2", "30", "2.595", "29"}, "6.057", " 33.346"},
      {"large thread", {"8", "4", "60", "4.141", "30"}, "9.635", " 65.422"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto result = Compute(c.in);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->lead_angle_text, c.lead_angle);
    EXPECT_EQ(result->m_text, c.m);
  }
}

TEST(ComputeMValue, ReadsInputsLeniently) {
  const Inputs plain{"1.5", "1", "9.026", "0.866", "60"};
  const Inputs variants[] = {
      {"1.5mm", "1线", "9.026 mm", "0.866", "60°"},
      {"1 .5", " 1", "9. 026", "0.866\n", "6 0"},
      {"１．５", "１", "９．０２６", "０．８６６", "６０"},
      {"1.5,7", "1,9", "9.026", "0.866", "60"},
  };
  const auto expected = Compute(plain);
  ASSERT_TRUE(expected);
  for (const auto& in : variants) {
    SCOPED_TRACE(in.pitch);
    const auto result = Compute(in);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->m_text, expected->m_text);
    EXPECT_EQ(result->lead_angle_text, expected->lead_angle_text);
  }
}

TEST(ComputeMValue, LocaleChangesOnlyTheLeadAngleSeparator) {
  const auto result = Compute({"1.5", "1", "9.026", "0.866", "60"}, NumberLocale{",", "."});
  ASSERT_TRUE(result);
  EXPECT_EQ(result->lead_angle_text, "3,028");
  EXPECT_EQ(result->m_text, " 10.327");
}

struct FailureCase {
  const char* name;
  Inputs in;
  Failure expected;
};

TEST(ComputeMValue, StopsAtTheFirstFailingStep) {
  using enum FailureKind;
  using enum InputToCheck;
  const FailureCase cases[] = {
      {"the window's first contents", {"", "", "", "0.118", ""}, {kDivisionByZero, kProfileAngle}},
      {"zero pitch", {"0", "1", "9.026", "0.866", "60"}, {kDivisionByZero, kPitchOrStarts}},
      {"empty starts", {"1.5", "", "9.026", "0.866", "60"}, {kDivisionByZero, kPitchOrStarts}},
      {"zero angle", {"1.5", "1", "9.026", "0.866", "0"}, {kDivisionByZero, kProfileAngle}},
      {"cosine rounds to zero",
       {"1.5", "1", "9.026", "0.866", "180"},
       {kDivisionByZero, kProfileAngle}},
      {"zero pitch diameter", {"1.5", "1", "0", "2", "60"}, {kDivisionByZero, kPitchDiameter}},
      {"pitch beyond range", {"1e400", "1", "9.026", "0.866", "60"}, {kOutOfRange, kPitch}},
      {"starts beyond range", {"1.5", "-1e999", "9.026", "0.866", "60"}, {kOutOfRange, kStarts}},
      {"wire beyond range", {"1.5", "1", "9.026", "1e309", "60"}, {kOutOfRange, kWireDiameter}},
      {"angle beyond range", {"1.5", "1", "9.026", "0.866", "2e308"}, {kOutOfRange, kProfileAngle}},
      {"lead overflows", {"1e200", "1e200", "9.026", "0.866", "60"}, {kOutOfRange, kPitchOrStarts}},
      {"an intermediate overflows", {"1.5", "1", "1e308", "0.866", "60"}, {kOutOfRange, kNone}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto result = Compute(c.in);
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error(), c.expected);
  }
}

// Physics, independent of the rules' own steps: the classical measurement without lead is
// Mc = d2 + d0 (1 + 1/sin(α/2)) - (P/2) cot(α/2), and the lead raises it by about
// (d0/2) tan²ψ cos(α/2) cot(α/2), ψ the lead angle. Within ordinary sizes the shown M must agree
// with both to 4 µm, and more starts (a steeper helix) never lower it.
TEST(ComputeMValue, AgreesWithTheClassicalLeadCorrection) {
  const double pi = std::numbers::pi;
  const double max_lead_angle = 3.5 * pi / 180;
  int checked = 0;
  for (const double alpha_degrees : {30.0, 55.0, 60.0}) {
    const double half = alpha_degrees / 2 * pi / 180;
    for (const double P : {0.2, 0.5, 1.0, 1.5, 2.0, 3.0, 5.0, 8.0}) {
      const double best_wire = P / (2 * std::cos(half));
      for (const double wire_factor : {0.9, 1.0, 1.1}) {
        const double d0 = best_wire * wire_factor;
        for (const double d2_factor : {12.0, 20.0, 40.0}) {
          const double d2 = P * d2_factor;
          const double Mc = d2 + d0 * (1 + 1 / std::sin(half)) - (P / 2) / std::tan(half);
          double previous_excess = -1;
          for (const int starts : {1, 2, 3, 4}) {
            const double psi = std::atan(starts * P / (pi * d2));
            if (psi > max_lead_angle) break;
            SCOPED_TRACE(testing::Message() << "alpha " << alpha_degrees << " P " << P << " d0 "
                                            << d0 << " d2 " << d2 << " n " << starts);
            const auto result = ComputeMValue(Shortest(P), std::to_string(starts), Shortest(d2),
                                              Shortest(d0), Shortest(alpha_degrees));
            ASSERT_TRUE(result);
            const double correction =
                d0 / 2 * std::pow(std::tan(psi), 2) * std::cos(half) / std::tan(half);
            const double excess = ReadNumber(result->m_text) - Mc;
            EXPECT_NEAR(excess, correction, 0.004);
            EXPECT_GE(excess, previous_excess);
            EXPECT_NEAR(ReadNumber(result->lead_angle_text), psi * 180 / pi, 0.0015);
            previous_excess = excess;
            ++checked;
          }
        }
      }
    }
  }
  EXPECT_GT(checked, 150);
}

}  // namespace
}  // namespace threewire
