// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "number_parse.h"

namespace threewire {
namespace {

// 1 + 2^-53 lies exactly halfway between 1 and the next double.
const std::string kHalfway = "1.00000000000000011102230246251565404236316680908203125";
// Texts of 100,000 characters read as what they say; how long that takes is bench/'s to time.
const std::string kNines(100'000, '9'), kBlanks(50'000, ' ');

TEST(ParseLenient, ReadsTheLeadingNumber) {
  const std::pair<std::string, double> cases[] = {
      {"2.5mm", 2.5},               // a unit after the number
      {" \t- 4.5\ne+ 2x", -450},    // blanks, tabs and line feeds anywhere
      {"1\r2", 1},                  // a carriage return ends the number
      {"1,5", 1},                   // so does a comma
      {"2.5.3", 2.5},               // and a second point
      {"7e+x", 7},                  // an exponent without digits is no exponent
      {".e5", 0},                   // nor is one after a lone point
      {"", 0},                      // nothing is 0
      {kNines, HUGE_VAL},           // beyond the range
      {"-1e-400", 0},               // below it, a zero
      {"－１０９．５Ｅ１", -1095},  // full-width sign, digits, point and exponent
      {"＋３ｅ１", 30},
      {"1\u30002", 12},   // the ideographic space is a blank
      {"1。5", 1.5},      // the ideographic full stop is a point, as Chinese punctuation types it
      {"１\uFF0C５", 1},  // other full-width signs stop the number,
      {"1、5", 1},        // as does other Chinese punctuation,
      {"1\u3F11", 1},     // a character sharing a full-width digit's last bytes,
      {"4\xEF\xBC", 4},   // and malformed UTF-8
      {kHalfway + std::string(2000, '0'), 1},  // ties go to even, however long the text,
      {kHalfway + std::string(2000, '0') + "1", std::nextafter(1.0, 2.0)},  // a far digit tips
      {"0." + std::string(1000, '0') + "1e1005", 10000},
      {"1," + std::string(100'000, '0'), 1},
      {kBlanks + "1" + kBlanks, 1},
  };
  for (const auto& [text, expected] : cases)
    EXPECT_EQ(ParseLenient(text), expected) << text.substr(0, 40);
}

TEST(ParseStrict, AcceptsOnlyOneWholeNumberInTheLocalesWay) {
  const NumberLocale point{".", ","}, german{",", "."}, french{",", "\u00A0"}, ungrouped{".", ""};
  const Result<double> refused = std::unexpected(Failure{FailureKind::kNotANumber});
  const std::tuple<NumberLocale, std::string, Result<double>> cases[] = {
      {point, " \t+.5\r\n", 0.5},
      {point, "1,000.5", 1000.5},
      {point, "1,5", 15.0},  // a group separator joins digits
      {point, "　３．５　", 3.5},
      {point, "3。5", 3.5},
      {point, "１，０００", refused},  // a full-width comma does not
      {point, "", refused},
      {point, "2.5mm", refused},
      {point, "1 5", refused},
      {point, ".", refused},
      {point, "1.2,5", refused},
      {point, "1e400", std::unexpected(Failure{FailureKind::kOutOfRange})},
      {point, kNines, std::unexpected(Failure{FailureKind::kOutOfRange})},
      {point, kBlanks + "1" + kBlanks, 1},
      {german, "1.000,25", 1000.25},
      {german, "1.5", 15.0},
      {french, "1\u00A0000,5", 1000.5},
      {ungrouped, "1,5", refused},
  };
  for (const auto& [locale, text, expected] : cases)
    EXPECT_EQ(ParseStrict(text, locale), expected) << text.substr(0, 40);
}

}  // namespace
}  // namespace threewire
