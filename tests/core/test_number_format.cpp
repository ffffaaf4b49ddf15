// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>

#include "number_format.h"

namespace threewire {
namespace {

const NumberLocale kGerman{",", "."};

struct FixedCase {
  const char* name;
  double value;
  int decimals;
  std::string expected;
};

TEST(FormatFixed, RoundsTheFifteenDigitDecimalHalfAwayFromZero) {
  const FixedCase cases[] = {
      // 1.0005 is 1.000499999999999989... in binary; its 15-digit form is the halfway point.
      {"halfway in decimal, below in binary", 1.0005, 3, "1.001"},
      {"the same, two decimals", 2.675, 2, "2.68"},
      {"negative halfway goes away from zero", -0.0005, 3, "-0.001"},
      {"below halfway goes down", 0.00049999, 3, "0.000"},
      {"negative rounding to zero has no sign", -0.0004, 3, "0.000"},
      {"negative keeps its sign", -12.3456, 3, "-12.346"},
      {"carry through nines", 9.9995, 3, "10.000"},
      {"six decimals, padded", 0.5, 6, "0.500000"},
      {"sixteenth digit is not looked at", 0.1234564999999999, 6, "0.123457"},
      {"half in whole numbers", 2.5, 0, "3"},
      {"no exponent, no grouping", 1e20, 3, "100000000000000000000.000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FormatFixed(c.value, c.decimals), c.expected);
  }
  EXPECT_EQ(FormatFixed(1234.5, 3, kGerman), "1234,500");
}

TEST(FormatFixed, ReformatsNumericTextsAndLeavesOthersAlone) {
  const std::pair<std::string, std::string> cases[] = {
      {"3.14159", "3.142"}, {"3.142", "3.142"}, {"2", "2.000"}, {"8.66017682824051E-02", "0.087"},
      {" 2 ", "2.000"},     {"2mm", "2mm"},     {"abc", "abc"}, {"", ""},
  };
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(FormatFixed(text, 3), expected);
    EXPECT_EQ(FormatFixed(expected, 3), expected);
  }
  EXPECT_EQ(FormatFixed(std::string_view("1.000,5"), 3, kGerman), "1000,500");
}

struct GeneralCase {
  double value;
  std::string general;
  std::string spaced;
};

TEST(FormatGeneralAndSpaced, DropTrailingZerosAndDifferInLeadingCharacters) {
  const GeneralCase cases[] = {
      {0.5, "0.5", " .5"},
      {-0.5, "-0.5", "-.5"},
      {10.32, "10.32", " 10.32"},
      {10.0, "10", " 10"},
      {-0.0, "0", " 0"},
      {2.0 / 3, "0.666666666666667", " .666666666666667"},
      {123456789012345.0, "123456789012345", " 123456789012345"},
      {1234567890123456.0, "1.23456789012346E+15", " 1.23456789012346E+15"},
      {1e15, "1E+15", " 1E+15"},
      {-2.5e-16, "-2.5E-16", "-2.5E-16"},
      {0.0577350269189626, "5.77350269189626E-02", " 5.77350269189626E-02"},
      {-1.5e-7, "-0.00000015", "-.00000015"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.general);
    EXPECT_EQ(FormatGeneral(c.value), c.general);
    EXPECT_EQ(FormatSpaced(c.value), c.spaced);
  }
  EXPECT_EQ(FormatGeneral(0.5, kGerman), "0,5");
  EXPECT_EQ(FormatSpaced(std::string_view("10,320"), kGerman), " 10.32");
  EXPECT_EQ(FormatSpaced(std::string_view("10.3 mm")).error().kind, FailureKind::kNotANumber);
}

TEST(RoundTripFixed, GivesTheNearestDoubleOfTheFixedText) {
  EXPECT_EQ(RoundTripFixed(((60.0 / 2) / 180) * 3.1415926, 6), 0.523599);
  EXPECT_EQ(RoundTripFixed(-2.675, 2), -2.68);
}

}  // namespace
}  // namespace threewire
