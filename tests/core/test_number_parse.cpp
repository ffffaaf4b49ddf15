// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <string>

#include "number_parse.h"

namespace threewire {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct LenientCase {
  const char* name;
  std::string text;
  double expected;
};

TEST(ParseLenient, ReadsTheLeadingNumber) {
  const LenientCase cases[] = {
      {"unit after the number", "2.5mm", 2.5},
      {"blanks between digits", "3 0", 30},
      {"tab, line feed and blanks anywhere", " \t- 4.5\ne+ 2x", -450},
      {"carriage return ends the number", "1\r2", 1},
      {"decimal comma stops at the comma", "1,5", 1},
      {"empty", "", 0},
      {"letters", "abc", 0},
      {"lone point", ".", 0},
      {"lone sign", "-", 0},
      {"two signs", "+-5", 0},
      {"leading point", "-.5", -0.5},
      {"second point ends the number", "2.5.3", 2.5},
      {"exponent", "1E-2", 0.01},
      {"exponent without digits is not part of it", "7e", 7},
      {"exponent sign without digits", "7e+x", 7},
      {"no exponent after a lone point", ".e5", 0},
      {"nearest double, not a scaled sum", "0.1", 0.1},
      {"many leading zeros", "000000000000000000000012.5", 12.5},
      {"overflow is +infinity", "1e400", kInf},
      {"overflow is -infinity", "-1e400", -kInf},
      {"long mantissa overflows too", std::string(400, '9'), kInf},
      {"underflow is zero", "1e-400", 0},
      {"huge exponent digits", "1e99999999999999999999999", kInf},
      {"full-width digits and point", "２．５", 2.5},
      {"full-width sign and exponent", "－１ｅ２", -100},
      {"full-width plus and capital E", "＋３Ｅ１", 30},
      {"ideographic space is a blank", "1\u30002", 12},
      {"other full-width sign stops", "１\uFF0C５", 1},
      {"other non-ASCII stops", "3\u00B05", 3},
      {"malformed UTF-8 stops", "4\xEF\xBC", 4},
      {"stray continuation byte",
       "\x80"
       "5",
       0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ParseLenient(c.text), c.expected);
  }
}

// 1 + 2^-53 lies exactly halfway between 1 and the next double; ties go to even (1), and any
// non-zero digit after it, however far, tips it up. Catches a mantissa cut without a sticky digit.
TEST(ParseLenient, RoundsLongMantissasCorrectly) {
  const std::string halfway = "1.00000000000000011102230246251565404236316680908203125";
  const double next_after_one = std::nextafter(1.0, 2.0);
  EXPECT_EQ(ParseLenient(halfway), 1.0);
  EXPECT_EQ(ParseLenient(halfway + std::string(2000, '0')), 1.0);
  EXPECT_EQ(ParseLenient(halfway + std::string(2000, '0') + "1"), next_after_one);
  EXPECT_EQ(ParseLenient("0." + std::string(1000, '0') + "1e1005"), 10000.0);
}

TEST(ParseLenient, LongTextsTakeLinearTime) {
  const auto seconds = [](const std::string& text) {
    const auto start = std::chrono::steady_clock::now();
    ParseLenient(text);
    ParseStrict(text);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  };
  // A quadratic reading of 100,000 characters takes seconds; a linear one, well under one.
  EXPECT_LT(seconds(std::string(100'000, '7')), 0.5);
  EXPECT_LT(seconds(std::string(50'000, ' ') + "1" + std::string(50'000, ' ')), 0.5);
  EXPECT_LT(seconds("1," + std::string(100'000, '0')), 0.5);
}

struct StrictCase {
  const char* name;
  std::string text;
  Result<double> expected;
};

Result<double> Refused(FailureKind kind = FailureKind::kNotANumber) {
  return std::unexpected(Failure{kind});
}

template <std::size_t N>
void ExpectStrict(const StrictCase (&cases)[N], const NumberLocale& locale) {
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ParseStrict(c.text, locale), c.expected);
  }
}

TEST(ParseStrict, AcceptsOnlyOneWholeNumber) {
  const StrictCase cases[] = {
      {"plain", "1.5", 1.5},
      {"blanks around", " \t1.5 ", 1.5},
      {"signs", "-2", -2.0},
      {"point first", "+.5", 0.5},
      {"point last", "5.", 5.0},
      {"exponent", "1e3", 1000.0},
      {"grouped", "1,000.5", 1000.5},
      {"group separator only joins digits", "1,5", 15.0},
      {"full-width", "　３．５　", 3.5},
      {"empty", "", Refused()},
      {"blanks only", "   ", Refused()},
      {"letters", "abc", Refused()},
      {"unit after the number", "2.5mm", Refused()},
      {"blank inside", "1 5", Refused()},
      {"lone point", ".", Refused()},
      {"lone sign", "-", Refused()},
      {"two points", "1.2.3", Refused()},
      {"exponent without digits", "1e", Refused()},
      {"leading group separator", ",5", Refused()},
      {"trailing group separator", "5,", Refused()},
      {"doubled group separator", "1,,5", Refused()},
      {"group separator after the point", "1.2,5", Refused()},
      {"overflow", "1e400", Refused(FailureKind::kOutOfRange)},
      {"negative overflow", "-1e400", Refused(FailureKind::kOutOfRange)},
      {"underflow reads as zero", "1e-400", 0.0},
      {"malformed UTF-8", "1\xC3", Refused()},
  };
  ExpectStrict(cases, NumberLocale{});
}

TEST(ParseStrict, FollowsTheLocaleSeparators) {
  const StrictCase german[] = {
      {"decimal comma", "1,5", 1.5},
      {"grouped with points", "1.000,25", 1000.25},
      {"a point is a group separator", "1.5", 15.0},
  };
  ExpectStrict(german, NumberLocale{",", "."});

  const StrictCase french[] = {
      {"no-break space groups", "1\u00A0000,5", 1000.5},
      {"a plain space does not", "1 000,5", Refused()},
      {"a point is nothing here", "1.5", Refused()},
  };
  ExpectStrict(french, NumberLocale{",", "\u00A0"});

  const StrictCase narrow[] = {{"narrow no-break space groups", "12\u202F345", 12345.0}};
  ExpectStrict(narrow, NumberLocale{".", "\u202F"});

  const StrictCase ungrouped[] = {{"no group separator", "1,5", Refused()}};
  ExpectStrict(ungrouped, NumberLocale{".", ""});
}

}  // namespace
}  // namespace threewire
