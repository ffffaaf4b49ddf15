// SPDX-License-Identifier: MIT
// libFuzzer target for the calculation core. The input is cut at '|' into texts; each text goes
// through both parsers and every formatter under several locales, the first five texts go to
// ComputeMValue as its five boxes, and the first and fifth to ComputeBestWireDiameter as pitch and
// profile angle. Besides crashes and sanitizer reports, the properties below abort the run when
// they do not hold; each is promised by the headers, follows from them, or is what any number
// reader owes (the nearest binary64 value, checked against the C library's strtod).
#include <algorithm>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "best_wire_diameter.h"
#include "m_value.h"
#include "number_format.h"
#include "number_parse.h"

namespace threewire {
namespace {

constexpr char kTextSeparator = '|';
// Only the first texts get the per-text checks: an input of 100,000 separators would otherwise
// run them 100,000 times and time out without testing anything new.
constexpr std::size_t kCheckedTexts = 12;
constexpr int kDecimalCounts[] = {0, 1, 2, 3, 4, 6, 10};
// Texts longer than this go through FormatFixed with fewer counts: each call reads the whole text
// again, and the counts change nothing in how a text is read.
constexpr std::size_t kLongText = 1000;
constexpr int kLongTextDecimalCounts[] = {0, 3, 6};

// The default; a decimal comma with '.', U+00A0 or U+202F between groups; a decimal point with
// U+202F between groups.
const NumberLocale kLocales[] = {
    {".", ","}, {",", "."}, {",", "\u00A0"}, {",", "\u202F"}, {".", "\u202F"},
};

std::string Quote(std::string_view text) {
  std::string out = "\"";
  for (const char c : text.substr(0, 200)) {
    const auto byte = static_cast<unsigned char>(c);
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\x%02X", byte);
    out += byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\' ? std::string(1, c) : hex;
  }
  return out + (text.size() > 200 ? "\"..." : "\"");
}

std::string Describe(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.17g (%a)", value, value);
  return text;
}

// What was checked, written only when a check fails: building it for every check would cost
// more than the checks themselves.
using Detail = std::function<std::string()>;

// Reports a broken property and aborts, so that libFuzzer keeps the input as a crash artifact.
void Require(bool holds, const char* property, const Detail& detail) {
  if (holds) return;
  std::fprintf(stderr, "\nBROKEN: %s\n  %s\n", property, detail().c_str());
  std::abort();
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool AllDigits(std::string_view text) { return std::all_of(text.begin(), text.end(), IsDigit); }

// x rounded to 15 significant digits, computed by the C library rather than the core.
double Round15(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.14e", value);
  return std::strtod(text, nullptr);
}

// The C library's reading of a plain ASCII number text.
double CRead(std::string_view text) { return std::strtod(std::string(text).c_str(), nullptr); }

bool IsPlainAscii(std::string_view text) {
  return std::none_of(text.begin(), text.end(), [](char c) {
    return c == '\0' || c == ',' || static_cast<unsigned char>(c) >= 0x80;
  });
}

std::string Replace(std::string text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
    text.replace(at, from.size(), to);
    at += to.size();
  }
  return text;
}

// "-?digits[SEP digits]" with exactly `decimals` digits after the separator, no superfluous
// leading zero, and a minus sign only in front of a digit that is not zero.
void CheckFixedShape(std::string_view out, int decimals, const NumberLocale& locale,
                     const Detail& context) {
  std::string_view rest = out;
  const bool negative = rest.starts_with('-');
  if (negative) rest.remove_prefix(1);
  std::string_view whole = rest;
  std::string_view fraction;
  if (decimals > 0) {
    const std::size_t at = rest.find(locale.decimal_separator);
    Require(at != std::string_view::npos, "FormatFixed writes the decimal separator", context);
    whole = rest.substr(0, at);
    fraction = rest.substr(at + locale.decimal_separator.size());
  }
  Require(!whole.empty() && AllDigits(whole), "FormatFixed writes digits before the separator",
          context);
  Require(whole.size() == 1 || whole[0] != '0', "FormatFixed writes no leading zeros", context);
  Require(fraction.size() == static_cast<std::size_t>(decimals) && AllDigits(fraction),
          "FormatFixed writes exactly the requested number of decimals", context);
  Require(!negative || whole.find_first_not_of('0') != std::string_view::npos ||
              fraction.find_first_not_of('0') != std::string_view::npos,
          "FormatFixed writes no minus sign in front of zero", context);
}

// The value FormatFixed wrote lies within half a unit of the last decimal of `value`, plus the
// 15-digit rounding done first and the binary rounding of the text read back.
void CheckFixedValue(double value, int decimals, const NumberLocale& locale, const std::string& out,
                     const Detail& context) {
  const auto read = ParseStrict(out, locale);
  if (!read) {
    Require(read.error().kind == FailureKind::kOutOfRange && std::fabs(value) > 1.79e308,
            "ParseStrict reads FormatFixed's text back unless it rounded past the range", context);
    return;
  }
  const double bound = 0.5 * std::pow(10.0, -decimals) * (1 + 1e-12) + 1e-14 * std::fabs(value);
  Require(std::fabs(*read - value) <= bound, "FormatFixed writes the value to the last decimal",
          [&] { return context() + " read back " + Describe(*read); });
}

void CheckFixedNumber(double value, const NumberLocale& locale) {
  for (const int decimals : kDecimalCounts) {
    const std::string out = FormatFixed(value, decimals, locale);
    if (!std::isfinite(value)) continue;
    const Detail context = [&] {
      return "FormatFixed(" + Describe(value) + ", " + std::to_string(decimals) +
             ") = " + Quote(out);
    };
    CheckFixedShape(out, decimals, locale, context);
    CheckFixedValue(value, decimals, locale, out, context);
  }
}

// "d[SEP ddd]E±xx": a mantissa without trailing zeros, used only where the plain form would need
// more than 15 digit positions.
void CheckExponentForm(std::string_view magnitude, std::string_view point, const Detail& context) {
  const std::size_t e = magnitude.find('E');
  const std::string_view mantissa = magnitude.substr(0, e);
  const std::string_view exponent = magnitude.substr(e + 1);
  Require(exponent.size() >= 3 && (exponent[0] == '+' || exponent[0] == '-') &&
              AllDigits(exponent.substr(1)),
          "FormatGeneral writes an exponent E±dd", context);
  std::string digits(mantissa.substr(0, 1));
  if (mantissa.size() > 1) {
    Require(mantissa.substr(1).starts_with(point), "FormatGeneral puts the separator second",
            context);
    digits += mantissa.substr(1 + point.size());
  }
  Require(!digits.empty() && AllDigits(digits) && digits.size() <= 15 && digits[0] != '0' &&
              digits.back() != '0' && (mantissa.size() == 1 || digits.size() > 1),
          "FormatGeneral writes up to 15 significant digits without trailing zeros", context);
  const long power = std::strtol(std::string(exponent).c_str(), nullptr, 10);
  const long count = static_cast<long>(digits.size());
  const long positions = power >= 0 ? std::max(power + 1, count) : count - power - 1;
  Require(positions > 15, "FormatGeneral uses an exponent only where plain needs > 15 digits",
          context);
}

void CheckPlainForm(std::string_view magnitude, std::string_view point, const Detail& context) {
  const std::size_t at = magnitude.find(point);
  const std::string_view whole = magnitude.substr(0, at);
  const std::string_view fraction =
      at == std::string_view::npos ? std::string_view() : magnitude.substr(at + point.size());
  Require(!whole.empty() && AllDigits(whole) && AllDigits(fraction) &&
              (whole.size() == 1 || whole[0] != '0'),
          "FormatGeneral writes digits, a separator, digits", context);
  Require(at == std::string_view::npos || (!fraction.empty() && fraction.back() != '0'),
          "FormatGeneral drops trailing zeros and a bare separator", context);
  const std::size_t positions = (whole == "0" ? 0 : whole.size()) + fraction.size();
  Require(positions <= 15, "FormatGeneral's plain form has at most 15 digit positions", context);
}

// FormatGeneral's text, and ParseStrict reading it back as the value's 15-digit rounding.
void CheckGeneral(double value, const NumberLocale& locale) {
  const std::string out = FormatGeneral(value, locale);
  if (!std::isfinite(value)) return;
  const Detail context = [&] { return "FormatGeneral(" + Describe(value) + ") = " + Quote(out); };
  std::string_view magnitude = out;
  if (magnitude.starts_with('-')) {
    magnitude.remove_prefix(1);
    Require(magnitude != "0", "FormatGeneral writes no minus sign in front of zero", context);
  }
  if (magnitude.find('E') != std::string_view::npos) {
    CheckExponentForm(magnitude, locale.decimal_separator, context);
  } else {
    CheckPlainForm(magnitude, locale.decimal_separator, context);
  }
  const double rounded = Round15(value);
  const auto read = ParseStrict(out, locale);
  if (std::isfinite(rounded)) {
    Require(read && *read == rounded, "ParseStrict(FormatGeneral(x)) is x to 15 digits", [&] {
      return context() + " expected " + Describe(rounded) +
             (read ? " read " + Describe(*read) : " read failed");
    });
  } else {
    Require(!read && read.error().kind == FailureKind::kOutOfRange,
            "FormatGeneral's text beyond the range reads as out of range", context);
  }
}

// FormatSpaced(x) is FormatGeneral(x) with "." , no zero before the point and a space for the
// sign of a number that is not negative.
void CheckSpacedNumber(double value) {
  const std::string out = FormatSpaced(value);
  if (!std::isfinite(value)) return;
  const Detail context = [&] { return "FormatSpaced(" + Describe(value) + ") = " + Quote(out); };
  const std::string general = FormatGeneral(value);
  const bool negative = general.starts_with('-');
  std::string magnitude = negative ? general.substr(1) : general;
  if (magnitude.starts_with("0.")) magnitude.erase(0, 1);
  Require(out == (negative ? "-" : " ") + magnitude, "FormatSpaced matches FormatGeneral",
          [&] { return context() + " general " + Quote(general); });
}

// RoundTripFixed is the C library's reading of FormatFixed's text, and rounding twice changes
// nothing more.
void CheckRoundTrip(double value) {
  if (!std::isfinite(value)) return;
  for (const int decimals : kDecimalCounts) {
    const double once = RoundTripFixed(value, decimals);
    const std::string text = FormatFixed(value, decimals);
    const double expected = CRead(text);
    if (!std::isfinite(expected)) continue;
    const Detail context = [&] {
      return "RoundTripFixed(" + Describe(value) + ", " + std::to_string(decimals) +
             ") = " + Describe(once);
    };
    Require(once == expected, "RoundTripFixed reads back FormatFixed's text",
            [&] { return context() + " text " + Quote(text); });
    Require(RoundTripFixed(once, decimals) == once, "RoundTripFixed twice equals once", context);
  }
}

void CheckNumber(double value) {
  for (const auto& locale : kLocales) {
    CheckFixedNumber(value, locale);
    CheckGeneral(value, locale);
  }
  CheckSpacedNumber(value);
  CheckRoundTrip(value);
}

// ParseLenient and the C library agree with ParseStrict on texts written the default way.
void CheckStrictAgainstOthers(std::string_view text, const Result<double>& strict) {
  if (!strict && strict.error().kind != FailureKind::kOutOfRange) return;
  const Detail context = [&] { return "text " + Quote(text); };
  const double lenient = ParseLenient(text);
  // ParseLenient skips no '\r' and reads ',' as the end of the number.
  if (text.find_first_of(",\r") == std::string_view::npos) {
    Require(strict ? lenient == *strict : std::isinf(lenient),
            "ParseLenient reads what ParseStrict reads",
            [&] { return context() + " lenient " + Describe(lenient); });
  }
  if (IsPlainAscii(text)) {
    const double c_value = CRead(text);
    Require(strict ? c_value == *strict : std::isinf(c_value),
            "ParseStrict reads the binary64 value nearest to the text", [&] {
              return context() + (strict ? " strict " + Describe(*strict) : " out of range") +
                     " strtod " + Describe(c_value);
            });
  }
}

void CheckFixedText(std::string_view text, const Result<double>& strict,
                    const NumberLocale& locale) {
  const std::span<const int> counts =
      text.size() > kLongText ? std::span<const int>(kLongTextDecimalCounts) : kDecimalCounts;
  for (const int decimals : counts) {
    const std::string out = FormatFixed(text, decimals, locale);
    const Detail context = [&] {
      return "FormatFixed(" + Quote(text) + ", " + std::to_string(decimals) + ") = " + Quote(out);
    };
    Require(strict ? out == FormatFixed(*strict, decimals, locale) : out == text,
            "FormatFixed(text) formats what ParseStrict reads, else returns the text", context);
    // A text that ParseStrict refuses came back unchanged above, so only a formatted one can
    // change when formatted again.
    if (strict) {
      Require(FormatFixed(out, decimals, locale) == out, "FormatFixed(text) twice equals once",
              context);
    }
  }
}

void CheckSpacedText(std::string_view text, const Result<double>& strict,
                     const NumberLocale& locale) {
  const auto out = FormatSpaced(text, locale);
  const Detail context = [&] { return "FormatSpaced(" + Quote(text) + ")"; };
  if (!strict) {
    Require(!out && out.error() == strict.error(), "FormatSpaced(text) fails as ParseStrict does",
            context);
    return;
  }
  Require(out && *out == FormatSpaced(*strict), "FormatSpaced(text) formats ParseStrict's value",
          context);
}

void CheckText(std::string_view text, std::vector<double>& numbers) {
  const double lenient = ParseLenient(text);
  const Detail context = [&] { return "text " + Quote(text); };
  Require(!std::isnan(lenient), "ParseLenient never returns NaN", context);
  numbers.push_back(lenient);
  for (const auto& locale : kLocales) {
    const auto strict = ParseStrict(text, locale);
    if (strict) {
      Require(std::isfinite(*strict), "ParseStrict's value is finite", context);
      numbers.push_back(*strict);
    } else {
      Require(strict.error().input == InputToCheck::kNone, "ParseStrict names no input", context);
    }
    if (&locale == &kLocales[0]) CheckStrictAgainstOthers(text, strict);
    CheckFixedText(text, strict, locale);
    CheckSpacedText(text, strict, locale);
  }
}

// A successful M value: the lead angle has three decimals and lies within ±90°, and the M text
// has a sign column and is a number with at most three decimals.
void CheckMValueResult(const MValueResult& result, const NumberLocale& locale,
                       const Detail& context) {
  CheckFixedShape(result.lead_angle_text, 3, locale,
                  [&] { return context() + " lead angle " + Quote(result.lead_angle_text); });
  const auto angle = ParseStrict(result.lead_angle_text, locale);
  Require(angle && std::fabs(*angle) <= 90.001, "the lead angle lies within ±90°", context);
  const std::string& m = result.m_text;
  Require(m.starts_with(' ') || m.starts_with('-'), "the M text starts with a space or '-'",
          [&] { return context() + " M " + Quote(m); });
  const auto m_value = ParseStrict(m);
  Require(m_value && RoundTripFixed(*m_value, 3) == *m_value,
          "the M text is a number with at most three decimals",
          [&] { return context() + " M " + Quote(m); });
}

// Lenient reading ignores the locale, so only the lead angle's separator may change with it.
void CheckMValue(const std::vector<std::string_view>& texts) {
  const auto box = [&](std::size_t i) { return i < texts.size() ? texts[i] : std::string_view(); };
  const Detail context = [&] {
    return "ComputeMValue(" + Quote(box(0)) + ", " + Quote(box(1)) + ", " + Quote(box(2)) + ", " +
           Quote(box(3)) + ", " + Quote(box(4)) + ")";
  };
  const auto reference = ComputeMValue(box(0), box(1), box(2), box(3), box(4));
  for (const auto& locale : kLocales) {
    const auto result = ComputeMValue(box(0), box(1), box(2), box(3), box(4), locale);
    Require(result.has_value() == reference.has_value(),
            "ComputeMValue succeeds or fails whatever the locale", context);
    if (!result) {
      Require(result.error() == reference.error(), "ComputeMValue fails the same in every locale",
              context);
      continue;
    }
    CheckMValueResult(*result, locale, context);
    Require(result->m_text == reference->m_text &&
                result->lead_angle_text ==
                    Replace(reference->lead_angle_text, ".", locale.decimal_separator),
            "ComputeMValue's results differ between locales only in the decimal separator", [&] {
              return context() + " " + Quote(result->lead_angle_text) + " " + Quote(result->m_text);
            });
  }
}

// The profile angle is read first, then the pitch; a failure names the box that caused it.
void CheckBestWireFailure(std::string_view pitch, std::string_view angle, const Failure& failure,
                          const NumberLocale& locale, const Detail& context) {
  const auto alpha = ParseStrict(angle, locale);
  const auto p = ParseStrict(pitch, locale);
  switch (failure.input) {
    case InputToCheck::kProfileAngle:
      Require(alpha ? failure.kind != FailureKind::kNotANumber : failure.kind == alpha.error().kind,
              "a profile angle failure comes from reading or using the angle", context);
      break;
    case InputToCheck::kPitch:
      Require(alpha && !p && failure.kind == p.error().kind,
              "a pitch failure comes from reading the pitch", context);
      break;
    case InputToCheck::kNone:
      Require(alpha && p && failure.kind == FailureKind::kOutOfRange,
              "an unnamed failure is a result beyond the range", context);
      break;
    default:
      Require(false, "ComputeBestWireDiameter names the angle, the pitch or no box", context);
  }
}

void CheckBestWire(std::string_view pitch, std::string_view angle) {
  for (const auto& locale : kLocales) {
    const auto result = ComputeBestWireDiameter(pitch, angle, locale);
    const Detail context = [&] {
      return "ComputeBestWireDiameter(" + Quote(pitch) + ", " + Quote(angle) + ") with decimal " +
             Quote(locale.decimal_separator) + " and group " + Quote(locale.group_separator);
    };
    if (!result) {
      CheckBestWireFailure(pitch, angle, result.error(), locale, context);
      continue;
    }
    // The result is FormatGeneral of a finite value, so it reads back to a value that formats
    // the same, unless its 15 digits round past the largest binary64.
    const auto read = ParseStrict(*result, locale);
    std::string magnitude = *result;
    if (magnitude.starts_with('-')) magnitude.erase(0, 1);
    Require(read ? FormatGeneral(*read, locale) == *result
                 : magnitude == FormatGeneral(DBL_MAX, locale),
            "the best wire diameter is a general-form number",
            [&] { return context() + " = " + Quote(*result); });
  }
}

std::vector<std::string_view> SplitTexts(std::string_view input) {
  std::vector<std::string_view> texts;
  for (std::size_t start = 0;;) {
    const std::size_t end = input.find(kTextSeparator, start);
    texts.push_back(input.substr(start, end - start));
    if (end == std::string_view::npos) return texts;
    start = end + 1;
  }
}

// The first eight bytes of a text as a binary64: every bit pattern, subnormals, NaNs and the
// largest values included, reaches the formatters this way.
void AddRawNumber(std::string_view text, std::vector<double>& numbers) {
  if (text.size() < sizeof(double)) return;
  double value;
  std::memcpy(&value, text.data(), sizeof value);
  numbers.push_back(value);
}

// Most texts read the same in every locale: each bit pattern is checked once.
void RemoveRepeats(std::vector<double>& numbers) {
  const auto bits = [](double value) { return std::bit_cast<std::uint64_t>(value); };
  std::sort(numbers.begin(), numbers.end(), [&](double a, double b) { return bits(a) < bits(b); });
  numbers.erase(std::unique(numbers.begin(), numbers.end(),
                            [&](double a, double b) { return bits(a) == bits(b); }),
                numbers.end());
}

}  // namespace
}  // namespace threewire

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace threewire;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string_view> texts = SplitTexts(input);
  std::vector<double> numbers;
  for (std::size_t i = 0; i < std::min(texts.size(), kCheckedTexts); ++i) {
    CheckText(texts[i], numbers);
    AddRawNumber(texts[i], numbers);
  }
  RemoveRepeats(numbers);
  for (const double value : numbers) CheckNumber(value);
  CheckMValue(texts);
  CheckBestWire(texts[0], texts.size() > 4 ? texts[4] : std::string_view());
  return 0;
}
