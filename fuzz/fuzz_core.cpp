// SPDX-License-Identifier: MIT
// libFuzzer target for the calculation core. The input is cut at '|' into five texts, which go
// through both readers, the writers and both calculations under a decimal-point and a
// decimal-comma locale. Beyond a crash or a sanitizer report, a run fails when a number that
// FormatGeneral writes does not read back with ParseStrict as the same number to 15 digits, or
// when the pitch diameter of a thread as made is not found again from its M.
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <string_view>

#include "best_wire_diameter.h"
#include "m_value.h"
#include "measured_pitch_diameter.h"
#include "number_format.h"
#include "number_parse.h"

namespace threewire {
namespace {

const NumberLocale kLocales[] = {{".", ","}, {",", "\u00A0"}};

// Zero is written without a sign, so -0 reads back as 0.
void CheckWrittenNumber(double value, const NumberLocale& locale) {
  if (!std::isfinite(value)) return;
  const auto read = ParseStrict(FormatGeneral(value, locale), locale);
  char written[32], expected[32];
  std::snprintf(expected, sizeof expected, "%.14e", value + 0.0);
  std::snprintf(written, sizeof written, "%.14e", read ? *read + 0.0 : NAN);
  if (std::string_view(written) == expected) return;
  std::fprintf(stderr, "BROKEN: FormatGeneral(%s) reads back as %s\n", expected, written);
  std::abort();
}

// A thread as made, on which M grows with the pitch diameter nearly one for one: one start or
// more, a profile angle of 20° to 120°, a pitch of 0.1 to 100 mm, a pitch diameter of three
// pitches to 1000 mm, a lead angle of at most 31°, a wire of half to twice the best size.
bool IsThreadAsMade(double P, double n, double d2, double d0, double alpha) {
  using std::numbers::pi;
  const double best_wire = P / (2 * std::cos(alpha / 360 * pi));
  return n >= 1 && alpha >= 20 && alpha <= 120 && P >= 0.1 && P <= 100 && d2 >= 3 * P &&
         d2 <= 1000 && std::atan(n * P / (pi * d2)) <= 31 * pi / 180 && d0 >= best_wire / 2 &&
         d0 <= 2 * best_wire;
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
    for (const std::string_view text : texts) {
      CheckWrittenNumber(ParseLenient(text), locale);
      if (const auto strict = ParseStrict(text, locale)) CheckWrittenNumber(*strict, locale);
    }
    if (const auto m = ComputeMValue(texts[0], texts[1], texts[2], texts[3], texts[4], locale)) {
      CheckWrittenNumber(ParseLenient(m->m_text), locale);
    }
    if (const auto wire = ComputeBestWireDiameter(texts[0], texts[4], locale)) {
      CheckWrittenNumber(ParseStrict(*wire, locale).value(), locale);  // throws if no number
    }
  }
  // The third text as a pitch diameter, which each model finds again from its M.
  const ThreadTexts thread{texts[0], texts[1], texts[3], texts[4]};
  const double d2 = ParseLenient(texts[2]);
  if (!IsThreadAsMade(ParseLenient(texts[0]), ParseLenient(texts[1]), d2, ParseLenient(texts[3]),
                      ParseLenient(texts[4])))
    return 0;
  for (const MModel model : {MModel::kOneStep, MModel::kConverged}) {
    const auto m = MForPitchDiameter(model, thread, d2);
    const auto solved = m ? PitchDiameterForM(model, thread, *m) : m;
    if (!solved || std::abs(*solved - d2) > 1e-6) {
      std::fprintf(stderr, "BROKEN: pitch diameter %.17g solved from its M as %.17g\n", d2,
                   solved.value_or(NAN));
      std::abort();
    }
  }
  return 0;
}
