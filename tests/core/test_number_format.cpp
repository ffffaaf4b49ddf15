// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>

#include "number_format.h"

namespace threewire {
namespace {

const NumberLocale kPoint{}, kGerman{",", "."};

TEST(FormatFixed, RoundsTheFifteenDigitDecimalHalfAwayFromZero) {
  const std::tuple<double, int, std::string> cases[] = {
      {1.0005, 3, "1.001"},  // 1.000499999... in binary, but exactly halfway in 15 digits
      {-0.0005, 3, "-0.001"},
      {0.00049999, 3, "0.000"},
      {-0.0004, 3, "0.000"},  // no sign on a zero
      {9.9995, 3, "10.000"},
      {0.1234564999999999, 6, "0.123457"},  // the sixteenth digit is not looked at
      {1e20, 3, "100000000000000000000.000"},
  };
  for (const auto& [value, decimals, expected] : cases) {
    EXPECT_EQ(FormatFixed(value, decimals), expected) << expected;
  }
}

// A text that is one number comes back with three decimals; any other text, unchanged. Either
// way a second pass changes nothing.
TEST(FormatFixed, ReformatsNumericTextsAndLeavesOthersAlone) {
  const std::tuple<NumberLocale, const char*, const char*> cases[] = {
      {kPoint, "3.14159", "3.142"},
      {kPoint, " 2 ", "2.000"},
      {kPoint, "8.66017682824051E-02", "0.087"},
      {kPoint, "2mm", "2mm"},
      {kPoint, "", ""},
      {kGerman, "1.000,5", "1000,500"},
  };
  for (const auto& [locale, text, expected] : cases) {
    EXPECT_EQ(FormatFixed(std::string_view(text), 3, locale), expected);
    EXPECT_EQ(FormatFixed(std::string_view(expected), 3, locale), expected);
  }
}

TEST(FormatGeneralAndSpaced, DropTrailingZerosAndDifferInLeadingCharacters) {
  const std::tuple<double, std::string, std::string> cases[] = {
      {0.5, "0.5", " .5"},
      {-0.5, "-0.5", "-.5"},
      {10.32, "10.32", " 10.32"},
      {-0.0, "0", " 0"},
      {123456789012345.0, "123456789012345", " 123456789012345"},
      {1234567890123456.0, "1.23456789012346E+15", " 1.23456789012346E+15"},
      {1e15, "1E+15", " 1E+15"},
      {-2.5e-16, "-2.5E-16", "-2.5E-16"},
      {-1.5e-7, "-0.00000015", "-.00000015"},
  };
  for (const auto& [value, general, spaced] : cases) {
    EXPECT_EQ(FormatGeneral(value), general);
    EXPECT_EQ(FormatSpaced(value), spaced);
  }
}

}  // namespace
}  // namespace threewire
