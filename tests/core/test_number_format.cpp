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
      {"halfway goes away from zero", 0.0005, 3, "0.001"},
      {"negative halfway goes away from zero", -0.0005, 3, "-0.001"},
      {"below halfway goes down", 0.00049999, 3, "0.000"},
      {"negative rounding to zero has no sign", -0.0004, 3, "0.000"},
      {"negative keeps its sign", -12.3456, 3, "-12.346"},
      {"carry through nines", 9.9995, 3, "10.000"},
      {"zero", 0.0, 3, "0.000"},
      {"negative zero", -0.0, 3, "0.000"},
      {"pads with zeros", 0.5, 6, "0.500000"},
      {"sixteenth digit is not looked at", 0.1234564999999999, 6, "0.123457"},
      {"binary sum written as decimal", 0.1 + 0.2, 3, "0.300"},
      {"half in whole numbers", 2.5, 0, "3"},
      {"no exponent, no grouping", 1e20, 3, "100000000000000000000.000"},
      {"tiny", 1e-20, 3, "0.000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FormatFixed(c.value, c.decimals), c.expected);
  }
  EXPECT_EQ(FormatFixed(3.5, 3, kGerman), "3,500");
  EXPECT_EQ(FormatFixed(1234.5, 1, kGerman), "1234,5");
}

struct TextCase {
  const char* name;
  std::string text;
  std::string expected;
};

TEST(FormatFixed, ReformatsNumericTextsAndLeavesOthersAlone) {
  const TextCase cases[] = {
      {"number", "3.14159", "3.142"},    {"already three decimals", "3.142", "3.142"},
      {"whole number", "2", "2.000"},    {"exponent form", "8.66017682824051E-02", "0.087"},
      {"blanks around", " 2 ", "2.000"}, {"unit after the number", "2mm", "2mm"},
      {"letters", "abc", "abc"},         {"empty", "", ""},
      {"huge", "1e400", "1e400"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string once = FormatFixed(c.text, 3);
    EXPECT_EQ(once, c.expected);
    EXPECT_EQ(FormatFixed(once, 3), once);
  }
  EXPECT_EQ(FormatFixed(std::string_view("1.000,5"), 3, kGerman), "1000,500");
}

struct GeneralCase {
  const char* name;
  double value;
  std::string general;
  std::string spaced;
};

TEST(FormatGeneralAndSpaced, DropTrailingZerosAndDifferInLeadingCharacters) {
  const GeneralCase cases[] = {
      {"half", 0.5, "0.5", " .5"},
      {"minus half", -0.5, "-0.5", "-.5"},
      {"two decimals", 10.32, "10.32", " 10.32"},
      {"whole", 10.0, "10", " 10"},
      {"zero", 0.0, "0", " 0"},
      {"negative zero", -0.0, "0", " 0"},
      {"negative whole", -2.0, "-2", "-2"},
      {"binary sum", 0.1 + 0.2, "0.3", " .3"},
      {"a third", 1.0 / 3, "0.333333333333333", " .333333333333333"},
      {"two thirds round up", 2.0 / 3, "0.666666666666667", " .666666666666667"},
      {"15 digits plain", 123456789012345.0, "123456789012345", " 123456789012345"},
      {"16 digits need an exponent", 1234567890123456.0, "1.23456789012346E+15",
       " 1.23456789012346E+15"},
      {"ten to the fifteenth", 1e15, "1E+15", " 1E+15"},
      {"small, fits in 15 places", 0.001, "0.001", " .001"},
      {"small, does not fit", 0.0577350269189626, "5.77350269189626E-02", " 5.77350269189626E-02"},
      {"small, plain in 8 places", -1.5e-7, "-0.00000015", "-.00000015"},
      {"very small", -1.5e-15, "-1.5E-15", "-1.5E-15"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FormatGeneral(c.value), c.general);
    EXPECT_EQ(FormatSpaced(c.value), c.spaced);
  }
  EXPECT_EQ(FormatGeneral(0.5, kGerman), "0,5");
}

TEST(FormatSpaced, ReadsTextsStrictlyAndAlwaysWritesAPoint) {
  EXPECT_EQ(FormatSpaced(std::string_view("10.320")), " 10.32");
  EXPECT_EQ(FormatSpaced(std::string_view("10.000")), " 10");
  EXPECT_EQ(FormatSpaced(std::string_view("0.680")), " .68");
  EXPECT_EQ(FormatSpaced(std::string_view("10,320"), kGerman), " 10.32");
  EXPECT_FALSE(FormatSpaced(std::string_view("")));
  EXPECT_FALSE(FormatSpaced(std::string_view("10.3 mm")));
  EXPECT_EQ(FormatSpaced(std::string_view("x")).error().kind, FailureKind::kNotANumber);
}

TEST(RoundTripFixed, GivesTheNearestDoubleOfTheFixedText) {
  const double half_sixty_degrees = ((60.0 / 2) / 180) * 3.1415926;  // 0.5235987666...
  EXPECT_EQ(RoundTripFixed(half_sixty_degrees, 6), 0.523599);
  EXPECT_EQ(RoundTripFixed(1.0005, 3), 1.001);
  EXPECT_EQ(RoundTripFixed(-2.675, 2), -2.68);
  EXPECT_EQ(RoundTripFixed(0.8660254, 6), 0.866025);
}

}  // namespace
}  // namespace threewire
