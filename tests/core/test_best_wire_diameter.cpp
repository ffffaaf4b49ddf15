// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "best_wire_diameter.h"

namespace threewire {
namespace {

// P / (2 cos(α/2)) with the calculator's four-decimal pi, in general form: texts from a separate
// implementation of the rules with decimal formatting. Both texts are read strictly, the angle
// first, in the user's way of writing numbers: where the decimal separator is a comma, a point
// groups digits, and "1.5" is fifteen.
TEST(ComputeBestWireDiameter, WritesTheUnroundedGeneralFormOrNamesTheBox) {
  using enum FailureKind;
  using enum InputToCheck;
  const auto refused = [](FailureKind kind, InputToCheck input) {
    return std::unexpected(Failure{kind, input});
  };
  const NumberLocale point{}, german{",", "."};
  const std::tuple<const char*, const char*, NumberLocale, Result<std::string>> cases[] = {
      {"1.5", "60", point, "0.86601768282405"},
      {"2", "55", point, "1.12737363954355"},
      {"0.1", "60", point, "0.05773451218827"},        // 13 digits: the plain form still shows them
      {"0.125", "60", point, "7.21681402353375E-02"},  // 15 digits would need 16 positions
      {"0.075", "60", point, "4.33008841412025E-02"},
      {"1.5", "60", german, "8,6601768282405"},
      {"", "", point, refused(kNotANumber, kProfileAngle)},  // the first contents
      {"1.5mm", "60", point, refused(kNotANumber, kPitch)},
      {"1e400", "60", point, refused(kOutOfRange, kPitch)},
      {"1.5", "1.7e308", point, refused(kOutOfRange, kProfileAngle)},
      {"1.7e308", "170", point, refused(kOutOfRange, kNone)},
  };
  for (const auto& [pitch, angle, locale, expected] : cases) {
    const auto wire = ComputeBestWireDiameter(pitch, angle, locale);
    EXPECT_EQ(wire, expected) << pitch << " " << angle << " gave " << wire.value_or("a failure");
  }
}

}  // namespace
}  // namespace threewire
