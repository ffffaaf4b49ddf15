// SPDX-License-Identifier: MIT
// libFuzzer target for the calculation core. The input is cut at '|' into at most five texts,
// which go through both readers, the writers and both calculations under a decimal-point and a
// decimal-comma locale. Beyond a crash or a sanitizer report, a run fails when a number written
// by FormatGeneral does not read back, with ParseStrict, as the same number to 15 digits, or when
// FormatFixed changes its own text.
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "best_wire_diameter.h"
#include "m_value.h"
#include "number_format.h"
#include "number_parse.h"

namespace threewire {
namespace {

const NumberLocale kLocales[] = {{".", ","}, {",", "\u00A0"}};

void Require(bool holds, const char* property, double value) {
  if (holds) return;
  std::fprintf(stderr, "BROKEN: %s (%.17g)\n", property, value);
  std::abort();
}

// Two doubles that print the same 15 significant digits; zero is written without a sign.
bool Same15Digits(double a, double b) {
  char left[32], right[32];
  std::snprintf(left, sizeof left, "%.14e", a + 0.0);
  std::snprintf(right, sizeof right, "%.14e", b + 0.0);
  return std::string_view(left) == right;
}

void CheckWrittenNumber(double value, const NumberLocale& locale) {
  if (!std::isfinite(value)) return;
  const auto read = ParseStrict(FormatGeneral(value, locale), locale);
  Require(read && Same15Digits(*read, value), "FormatGeneral reads back", value);
}

void CheckText(std::string_view text, const NumberLocale& locale) {
  CheckWrittenNumber(ParseLenient(text), locale);
  const auto strict = ParseStrict(text, locale);
  if (!strict) return;
  CheckWrittenNumber(*strict, locale);
  const std::string fixed = FormatFixed(text, 3, locale);
  Require(FormatFixed(fixed, 3, locale) == fixed, "FormatFixed of its own text changes nothing",
          *strict);
}

// Five texts, the last taking the rest of the input; missing ones are empty.
std::array<std::string_view, 5> SplitTexts(std::string_view input) {
  std::array<std::string_view, 5> texts;
  for (std::size_t i = 0, bar = 0; i < 5 && bar != std::string_view::npos; ++i) {
    bar = i < 4 ? input.find('|') : std::string_view::npos;
    texts[i] = input.substr(0, bar);
    input.remove_prefix(bar == std::string_view::npos ? input.size() : bar + 1);
  }
  return texts;
}

}  // namespace
}  // namespace threewire

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace threewire;
  const auto texts = SplitTexts({reinterpret_cast<const char*>(data), size});
  for (const NumberLocale& locale : kLocales) {
    for (const std::string_view text : texts) CheckText(text, locale);
    if (const auto m = ComputeMValue(texts[0], texts[1], texts[2], texts[3], texts[4], locale)) {
      CheckWrittenNumber(ParseLenient(m->m_text), locale);
    }
    if (const auto wire = ComputeBestWireDiameter(texts[0], texts[4], locale)) {
      Require(ParseStrict(*wire, locale).has_value(), "best wire text is a number", 0);
    }
  }
  return 0;
}
