// SPDX-License-Identifier: MIT
#include "number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "number_parse.h"
#include "read_double.h"

namespace threewire {
namespace {

constexpr int kSignificantDigits = 15;

// ±d.dddddddddddddd × 10^exponent: the value written with 15 significant digits.
struct Decimal15 {
  bool negative = false;
  std::string digits;  // 15 digits, the first not zero unless the value is zero
  int exponent = 0;
};

Decimal15 ToDecimal15(double value) {
  char buffer[32];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                          std::chars_format::scientific, kSignificantDigits - 1);
  const std::string_view text(buffer, end);  // "d.ddddddddddddddde±xx"
  const std::size_t e = text.find('e');
  Decimal15 decimal;
  decimal.negative = std::signbit(value);
  decimal.digits.assign(1, text[0]);
  decimal.digits.append(text.substr(2, e - 2));
  std::from_chars(text.data() + e + 1 + (text[e + 1] == '+'), end, decimal.exponent);
  return decimal;
}

std::string NonFinite(double value) {
  if (std::isnan(value)) return "nan";
  return value < 0 ? "-inf" : "inf";
}

// Adds one to a string of decimal digits.
void Increment(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return;
    }
    *it = '0';
  }
  digits.insert(digits.begin(), '1');
}

// The magnitude's digits without a sign: plain where 15 digit positions show it, else with an
// exponent "E±xx". `zero_before_point` writes "0.5" rather than ".5".
std::string GeneralMagnitude(const Decimal15& decimal, std::string_view point,
                             bool zero_before_point) {
  const std::string_view all = decimal.digits;
  const std::string_view digits = all.substr(0, all.find_last_not_of('0') + 1);
  if (digits.empty()) return "0";
  const int count = static_cast<int>(digits.size());
  const int e = decimal.exponent;
  const int positions = e >= 0 ? std::max(e + 1, count) : count - e - 1;

  std::string out;
  if (positions > kSignificantDigits) {
    out = std::string(digits.substr(0, 1));
    if (count > 1) (out += point) += digits.substr(1);
    out += e < 0 ? "E-" : "E+";
    const int exponent = std::abs(e);
    if (exponent < 10) out += '0';
    return out + std::to_string(exponent);
  }
  if (e >= 0) {
    out = std::string(digits.substr(0, e + 1));
    out.resize(e + 1, '0');
    if (count > e + 1) (out += point) += digits.substr(e + 1);
    return out;
  }
  if (zero_before_point) out = "0";
  (out += point) += std::string(-e - 1, '0');
  return out += digits;
}

}  // namespace

std::string FormatFixed(double value, int decimals, const NumberLocale& locale) {
  if (!std::isfinite(value)) return NonFinite(value);
  decimals = std::max(decimals, 0);
  const Decimal15 decimal = ToDecimal15(value);

  // `units` counts the result in steps of 10^-decimals.
  const int kept = decimal.exponent + 1 + decimals;
  std::string units;
  bool round_up = false;
  if (kept >= kSignificantDigits) {
    units = decimal.digits + std::string(kept - kSignificantDigits, '0');
  } else if (kept >= 0) {
    units = decimal.digits.substr(0, kept);
    round_up = decimal.digits[kept] >= '5';
  }
  if (round_up) Increment(units);
  units.erase(0, std::min(units.find_first_not_of('0'), units.size()));
  const bool negative = decimal.negative && !units.empty();
  if (units.size() < static_cast<std::size_t>(decimals) + 1) {
    units.insert(0, decimals + 1 - units.size(), '0');
  }

  std::string out = negative ? "-" : "";
  out += std::string_view(units).substr(0, units.size() - decimals);
  if (decimals > 0) (out += locale.decimal_separator) += units.substr(units.size() - decimals);
  return out;
}

std::string FormatFixed(std::string_view text, int decimals, const NumberLocale& locale) {
  if (const auto number = ParseStrict(text, locale)) return FormatFixed(*number, decimals, locale);
  return std::string(text);
}

std::string FormatGeneral(double value, const NumberLocale& locale) {
  if (!std::isfinite(value)) return NonFinite(value);
  const Decimal15 decimal = ToDecimal15(value);
  std::string magnitude = GeneralMagnitude(decimal, locale.decimal_separator, true);
  return decimal.negative && value != 0 ? "-" + magnitude : magnitude;
}

std::string FormatSpaced(double value) {
  if (!std::isfinite(value)) return NonFinite(value);
  const Decimal15 decimal = ToDecimal15(value);
  const std::string magnitude = GeneralMagnitude(decimal, ".", false);
  return (decimal.negative && value != 0 ? "-" : " ") + magnitude;
}

Result<std::string> FormatSpaced(std::string_view text, const NumberLocale& locale) {
  const auto number = ParseStrict(text, locale);
  if (!number) return std::unexpected(number.error());
  return FormatSpaced(*number);
}

double RoundTripFixed(double value, int decimals) {
  const std::string text = FormatFixed(value, decimals);
  double rounded = value;
  ReadDouble(text.data(), text.data() + text.size(), rounded);
  return rounded;
}

}  // namespace threewire
