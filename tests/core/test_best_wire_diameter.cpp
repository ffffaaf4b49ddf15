// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "best_wire_diameter.h"

namespace threewire {
namespace {

struct WireCase {
  const char* name;
  const char* pitch;
  const char* angle;
  Result<std::string> expected;
};

// P / (2 cos(α/2)) with the calculator's four-decimal pi, in general form: texts from a separate
// implementation of the rules with decimal formatting.
TEST(ComputeBestWireDiameter, WritesTheUnroundedGeneralFormOrNamesTheBox) {
  using enum FailureKind;
  using enum InputToCheck;
  const auto refused = [](FailureKind kind, InputToCheck input) {
    return std::unexpected(Failure{kind, input});
  };
  const WireCase cases[] = {
      {"worked example", "1.5", "60", "0.86601768282405"},
      {"Whitworth", "2", "55", "1.12737363954355"},
      {"trapezoidal", "0.5", "30", "0.258818509648072"},
      {"fine pitch", "0.1", "60", "0.05773451218827"},
      {"blanks and full-width", " ６ ", "29", "3.09869495539262"},
      {"fresh window: the angle is read first", "", "", refused(kNotANumber, kProfileAngle)},
      {"pitch missing", "", "60", refused(kNotANumber, kPitch)},
      {"unit after the pitch", "1.5mm", "60", refused(kNotANumber, kPitch)},
      {"pitch beyond range", "1e400", "60", refused(kOutOfRange, kPitch)},
      {"angle overflows in radians", "1.5", "1.7e308", refused(kOutOfRange, kProfileAngle)},
      {"quotient overflows", "1.7e308", "170", refused(kOutOfRange, kNone)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ComputeBestWireDiameter(c.pitch, c.angle), c.expected);
  }
  // A point groups digits where the decimal separator is a comma: "1.5" is fifteen.
  EXPECT_EQ(ComputeBestWireDiameter("1.5", "60", NumberLocale{",", "."}), "8,6601768282405");
  EXPECT_EQ(ComputeBestWireDiameter("1,5", "60", NumberLocale{",", "."}), "0,86601768282405");
}

}  // namespace
}  // namespace threewire
