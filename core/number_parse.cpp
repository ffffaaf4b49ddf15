// SPDX-License-Identifier: MIT
#include "number_parse.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "read_double.h"

namespace threewire {
namespace {

// A decimal number as it was read: ±digits × 10^exponent, the digits without leading zeros.
struct DecimalText {
  bool negative = false;
  std::string digits;
  std::int64_t exponent = 0;
  bool has_digits = false;  // any digit, a zero included, stood in the mantissa
};

constexpr std::int64_t kExponentLimit = 1'000'000'000;

// Beyond 768 significant digits only whether the rest is zero can change the binary64 rounding,
// so longer mantissas keep a sticky last digit instead of the tail.
constexpr std::size_t kKeptDigits = 800;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// A Chinese input method in full-width mode types "２．５" for 2.5, and with Chinese punctuation
// on, its '.' key types the ideographic full stop: "2。5". These forms read as their ASCII
// counterparts. Every other byte, malformed UTF-8 included, passes through unchanged and cannot
// continue a number.
std::string NarrowFullWidth(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto b0 = static_cast<unsigned char>(text[i]);
    if (i + 2 < text.size() && (b0 == 0xEF || b0 == 0xE3)) {
      const auto b1 = static_cast<unsigned char>(text[i + 1]);
      const auto b2 = static_cast<unsigned char>(text[i + 2]);
      if (b0 == 0xE3 && b1 == 0x80 && (b2 == 0x80 || b2 == 0x82)) {
        out += b2 == 0x80 ? ' ' : '.';  // U+3000 ideographic space, U+3002 ideographic full stop
        i += 2;
        continue;
      }
      if (b0 == 0xEF && (b1 == 0xBC || b1 == 0xBD) && b2 >= 0x80 && b2 <= 0xBF) {
        const char32_t code = 0xFF00 + (b1 - 0xBC) * 0x40 + (b2 - 0x80);
        const char32_t ascii = code - 0xFEE0;  // U+FF01..U+FF5E mirror ASCII 0x21..0x7E
        if ((ascii >= '0' && ascii <= '9') || ascii == '.' || ascii == '+' || ascii == '-' ||
            ascii == 'E' || ascii == 'e') {
          out += static_cast<char>(ascii);
          i += 2;
          continue;
        }
      }
    }
    out += text[i];
  }
  return out;
}

void AddMantissaDigit(DecimalText& number, char digit, bool after_point) {
  number.has_digits = true;
  if (digit != '0' || !number.digits.empty()) number.digits += digit;
  if (after_point) --number.exponent;
}

std::int64_t AccumulateExponent(std::int64_t exponent, char digit) {
  return std::min(exponent * 10 + (digit - '0'), kExponentLimit);
}

// The binary64 value nearest to the decimal, ±infinity above the range and ±0 below it.
double ToDouble(DecimalText number) {
  const double zero = number.negative ? -0.0 : 0.0;
  if (number.digits.empty()) return zero;
  if (number.digits.size() > kKeptDigits) {
    const bool tail_nonzero =
        number.digits.find_first_not_of('0', kKeptDigits) != std::string::npos;
    number.exponent += static_cast<std::int64_t>(number.digits.size() - kKeptDigits);
    number.digits.resize(kKeptDigits);
    if (tail_nonzero) {
      number.digits += '1';
      --number.exponent;
    }
  }
  // The value lies in [10^(magnitude-1), 10^magnitude).
  const std::int64_t magnitude = number.exponent + static_cast<std::int64_t>(number.digits.size());
  const double infinity = number.negative ? -HUGE_VAL : HUGE_VAL;
  if (magnitude > 310) return infinity;
  if (magnitude < -330) return zero;

  std::string text = number.digits + 'e' + std::to_string(number.exponent);
  double value = 0.0;
  const std::errc error = ReadDouble(text.data(), text.data() + text.size(), value);
  if (error == std::errc::result_out_of_range) return magnitude > 0 ? infinity : zero;
  return number.negative ? -value : value;
}

// Reads an exponent "E[sign]digits" at `text[i]`; consumes nothing when none stands there.
void ReadExponent(std::string_view text, std::size_t& i, DecimalText& number) {
  std::size_t j = i;
  if (j >= text.size() || (text[j] != 'e' && text[j] != 'E')) return;
  ++j;
  bool negative = false;
  if (j < text.size() && (text[j] == '+' || text[j] == '-')) negative = text[j++] == '-';
  if (j >= text.size() || !IsDigit(text[j])) return;
  std::int64_t exponent = 0;
  while (j < text.size() && IsDigit(text[j])) exponent = AccumulateExponent(exponent, text[j++]);
  number.exponent += negative ? -exponent : exponent;
  i = j;
}

void ReadSign(std::string_view text, std::size_t& i, DecimalText& number) {
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) number.negative = text[i++] == '-';
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

double ParseLenient(std::string_view text) {
  // Blanks never end a number, they are only skipped: dropping them first is the same reading.
  std::string narrow = NarrowFullWidth(text);
  std::erase_if(narrow, [](char c) { return c == ' ' || c == '\t' || c == '\n'; });
  const std::string_view chars = narrow;

  DecimalText number;
  std::size_t i = 0;
  ReadSign(chars, i, number);
  bool after_point = false;
  for (; i < chars.size(); ++i) {
    if (IsDigit(chars[i])) {
      AddMantissaDigit(number, chars[i], after_point);
    } else if (chars[i] == '.' && !after_point) {
      after_point = true;
    } else {
      break;
    }
  }
  if (!number.has_digits) return 0.0;
  ReadExponent(chars, i, number);
  return ToDouble(number);
}

Result<double> ParseStrict(std::string_view text, const NumberLocale& locale) {
  const std::string narrow = NarrowFullWidth(text);
  const std::string_view chars = TrimBlanks(narrow);
  const std::string_view point = locale.decimal_separator;
  const std::string_view group = locale.group_separator;
  const auto starts_with_at = [&](std::size_t i, std::string_view mark) {
    return !mark.empty() && chars.substr(i).starts_with(mark);
  };

  DecimalText number;
  std::size_t i = 0;
  ReadSign(chars, i, number);
  while (i < chars.size()) {  // integer part, grouped
    if (IsDigit(chars[i])) {
      AddMantissaDigit(number, chars[i++], false);
    } else if (!starts_with_at(i, point) && starts_with_at(i, group) && i > 0 &&
               IsDigit(chars[i - 1]) && i + group.size() < chars.size() &&
               IsDigit(chars[i + group.size()])) {
      i += group.size();
    } else {
      break;
    }
  }
  if (starts_with_at(i, point)) {
    i += point.size();
    while (i < chars.size() && IsDigit(chars[i])) AddMantissaDigit(number, chars[i++], true);
  }
  if (!number.has_digits) return std::unexpected(Failure{FailureKind::kNotANumber});
  ReadExponent(chars, i, number);
  if (i != chars.size()) return std::unexpected(Failure{FailureKind::kNotANumber});

  const double value = ToDouble(number);
  if (std::isinf(value)) return std::unexpected(Failure{FailureKind::kOutOfRange});
  return value;
}

}  // namespace threewire
