// SPDX-License-Identifier: MIT
#include "form1_handlers.h"

#include <tuple>

#include "best_wire_diameter.h"
#include "converged_m_note.h"
#include "m_value.h"
#include "number_format.h"

namespace threewire::form {
namespace {

constexpr std::string_view kCommand9Reads[] = {"Text6", "Text7"};
constexpr std::string_view kText8Reads[] = {"Text8"};
constexpr std::string_view kCommand101Reads[] = {"txtt", "txtn", "txtd2", "txtd0", "txtr"};

HandlerOutcome Command9_Click(std::span<const std::string> texts, const NumberLocale& locale) {
  const auto& [pitch, angle] = std::tie(texts[0], texts[1]);
  const auto wire = ComputeBestWireDiameter(pitch, angle, locale);
  if (!wire) {
    return {.failure = DescribeFailure(Calculator::kBestWireDiameter, wire.error(),
                                       EmptyBoxes(kCommand9Reads, texts))};
  }
  return {.writes = {{"Text8", *wire}}};
}

HandlerOutcome Text8_Change(std::span<const std::string> texts, const NumberLocale& locale) {
  std::string formatted = FormatFixed(std::string_view(texts[0]), 3, locale);
  // Writing the text it already holds would be a change again, without end where the window
  // reports every write as one.
  if (formatted == texts[0]) return {};
  return {.writes = {{"Text8", std::move(formatted)}}};
}

HandlerOutcome Command101_Click(std::span<const std::string> texts, const NumberLocale& locale) {
  const auto& [pitch, starts, pitch_diameter, wire, angle] =
      std::tie(texts[0], texts[1], texts[2], texts[3], texts[4]);
  const auto result = ComputeMValue(pitch, starts, pitch_diameter, wire, angle, locale);
  if (!result) {
    return {.m_note = "",
            .failure = DescribeFailure(Calculator::kMValue, result.error(),
                                       EmptyBoxes(kCommand101Reads, texts))};
  }
  return {.writes = {{"Text101", result->lead_angle_text}, {"txtm", result->m_text}},
          .m_note = ConvergedMNote(pitch, starts, pitch_diameter, wire, angle, result->m_text)};
}

}  // namespace

bool IsBlank(std::string_view text) {
  return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

std::vector<std::string_view> EmptyBoxes(std::span<const std::string_view> reads,
                                         std::span<const std::string> texts) {
  std::vector<std::string_view> empty;
  for (std::size_t i = 0; i < reads.size(); ++i) {
    if (IsBlank(texts[i])) empty.push_back(reads[i]);
  }
  return empty;
}

const Handler kCommand9_Click{kCommand9Reads, Command9_Click};
const Handler kText8_Change{kText8Reads, Text8_Change};
const Handler kCommand101_Click{kCommand101Reads, Command101_Click};

}  // namespace threewire::form
