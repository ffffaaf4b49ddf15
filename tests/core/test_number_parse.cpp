// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>

#include "number_parse.h"

namespace threewire {
namespace {

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
      {"two signs", "+-5", 0},
      {"leading point", "-.5", -0.5},
      {"second point ends the number", "2.5.3", 2.5},
      {"exponent", "1E-2", 0.01},
      {"exponent without digits is not part of it", "7e+x", 7},
      {"no exponent after a lone point", ".e5", 0},
      {"overflow is infinity", "-1e400", -HUGE_VAL},
      {"long mantissa overflows too", std::string(400, '9'), HUGE_VAL},
      {"underflow is zero", "1e-400", 0},
      {"full-width digits and point", "２．５", 2.5},
      {"full-width sign and exponent", "－１ｅ２", -100},
      {"full-width plus and capital E", "＋３Ｅ１", 30},
      {"ideographic space is a blank", "1\u30002", 12},
      {"other full-width signs stop", "１\uFF0C５", 1},
      {"a Chinese full stop stops", "1。5", 1},
      {"so does a character sharing a full-width digit's last bytes", "1\u3F11", 1},
      {"malformed UTF-8 stops", "4\xEF\xBC", 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ParseLenient(c.text), c.expected);
  }
}

// 1 + 2^-53 lies exactly halfway between 1 and the next double: ties go to even, and any digit
// after it, however far, tips it up.
TEST(ParseLenient, RoundsLongMantissasToTheNearestDouble) {
  const std::string halfway = "1.00000000000000011102230246251565404236316680908203125";
  EXPECT_EQ(ParseLenient(halfway + std::string(2000, '0')), 1.0);
  EXPECT_EQ(ParseLenient(halfway + std::string(2000, '0') + "1"), std::nextafter(1.0, 2.0));
  EXPECT_EQ(ParseLenient("0." + std::string(1000, '0') + "1e1005"), 10000.0);
}

TEST(ParseLenient, LongTextsTakeLinearTime) {
  const auto start = std::chrono::steady_clock::now();
  for (const std::string& text : {std::string(100'000, '7'), "1," + std::string(100'000, '0'),
                                  std::string(50'000, ' ') + "1" + std::string(50'000, ' ')}) {
    ParseLenient(text);
    ParseStrict(text);
  }
  // A quadratic reading of 100,000 characters takes seconds.
  EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 0.5);
}

struct StrictCase {
  const char* name;
  NumberLocale locale;
  std::string text;
  Result<double> expected;
};

const Result<double> kRefused = std::unexpected(Failure{FailureKind::kNotANumber});

TEST(ParseStrict, AcceptsOnlyOneWholeNumberInTheLocalesWay) {
  const NumberLocale point{".", ","}, german{",", "."}, french{",", "\u00A0"}, ungrouped{".", ""};
  const StrictCase cases[] = {
      {"plain", point, "1.5", 1.5},
      {"blanks around", point, " \t1.5\r\n", 1.5},
      {"point first and last", point, "+.5", 0.5},
      {"exponent", point, "-1e3", -1000.0},
      {"grouped", point, "1,000.5", 1000.5},
      {"group separator only joins digits", point, "1,5", 15.0},
      {"full-width", point, "　３．５　", 3.5},
      {"a full-width comma does not group", point, "１，０００", kRefused},
      {"empty", point, "", kRefused},
      {"letters", point, "abc", kRefused},
      {"unit after the number", point, "2.5mm", kRefused},
      {"blank inside", point, "1 5", kRefused},
      {"lone point", point, ".", kRefused},
      {"exponent without digits", point, "1e", kRefused},
      {"leading group separator", point, ",5", kRefused},
      {"trailing group separator", point, "5,", kRefused},
      {"group separator after the point", point, "1.2,5", kRefused},
      {"overflow", point, "1e400", std::unexpected(Failure{FailureKind::kOutOfRange})},
      {"decimal comma", german, "1.000,25", 1000.25},
      {"a point groups in German", german, "1.5", 15.0},
      {"no-break space groups", french, "1\u00A0000,5", 1000.5},
      {"a plain space does not", french, "1 000,5", kRefused},
      {"no group separator", ungrouped, "1,5", kRefused},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ParseStrict(c.text, c.locale), c.expected);
  }
}

}  // namespace
}  // namespace threewire
