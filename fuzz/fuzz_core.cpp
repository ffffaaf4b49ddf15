// SPDX-License-Identifier: MIT
// libFuzzer target for the calculation core. The input is cut at '|' into five texts, which go
// through both readers, the writers and both calculations under a decimal-point and a
// decimal-comma locale. Beyond a crash or a sanitizer report, a run fails when a number that
// FormatGeneral writes does not read back with ParseStrict as the same number to 15 digits.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
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
  // The third text as a measured M: the solution either fails or has that M.
  const ThreadTexts thread{texts[0], texts[1], texts[3], texts[4]};
  const double measured_m = ParseLenient(texts[2]);
  for (const MModel model : {MModel::kOneStep, MModel::kConverged}) {
    const auto d2 = PitchDiameterForM(model, thread, measured_m);
    const auto m = d2 ? MForPitchDiameter(model, thread, *d2) : d2;
    if (d2 && !(m && std::abs(*m - measured_m) <= 1e-6 * std::max(1.0, measured_m))) {
      std::fprintf(stderr, "BROKEN: pitch diameter %.17g for M %.17g\n", *d2, measured_m);
      std::abort();
    }
  }
  return 0;
}
