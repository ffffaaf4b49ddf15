// SPDX-License-Identifier: MIT
#include "inspection_panel.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "measured_pitch_diameter.h"
#include "number_format.h"
#include "number_parse.h"

namespace threewire::form {
namespace {

constexpr MModel kRowModels[] = {MModel::kOneStep, MModel::kConverged};

// The two rows' actual pitch diameters may differ by this much (mm) before the verdict's line says
// by how much.
constexpr double kNotableDifference = 0.001;

// The outputs' decimals: mm to the µm.
constexpr int kShownDecimals = 3;

// The thread's boxes first, as 显示M值 reads them, then the panel's.
constexpr std::string_view kReads[] = {"txtt",  "txtn",  "txtd0",     "txtr",
                                       "d2max", "d2min", "measured_m"};
constexpr std::size_t kThreadBoxes = 4;

std::string Quoted(std::string_view caption) { return "“" + std::string(caption) + "”"; }

FailureMessage Refusal(std::string reason) { return {"无法判定。", std::move(reason)}; }

FailureMessage NotANumber(const PanelItem& box, FailureKind kind) {
  const std::string what =
      kind == FailureKind::kOutOfRange ? "的数值太大，超出了计算范围。" : "中没有填写有效的数。";
  return Refusal(Quoted(box.caption) + what + "\n请检查" + Quoted(box.caption) + "。");
}

// A failure of the M calculation for a value of `box`: the thread's boxes where the calculation
// names one, `box` otherwise.
FailureMessage CalculationFailure(Failure failure, std::span<const std::string> thread_texts,
                                  const PanelItem& box) {
  if (failure.input == InputToCheck::kNone || failure.input == InputToCheck::kPitchDiameter) {
    return Refusal(Quoted(box.caption) + "的数值无法用于计算。\n请检查" + Quoted(box.caption) +
                   "。");
  }
  const std::vector<std::string_view> empty =
      EmptyBoxes(std::span(kReads).first(kThreadBoxes), thread_texts.first(kThreadBoxes));
  FailureMessage message = DescribeFailure(Calculator::kMValue, failure, empty);
  message.what_failed = "无法判定。";
  return message;
}

// The panel's numbers as typed; an empty box is none.
struct Figures {
  std::optional<double> d2max, d2min, measured_m;
};

std::variant<Figures, FailureMessage> ReadFigures(std::span<const std::string> texts,
                                                  const NumberLocale& locale) {
  // Limits of a few tens of mm have no digit groups, and a point typed under a decimal comma is
  // refused rather than taken as one.
  const NumberLocale ungrouped{locale.decimal_separator, ""};
  std::optional<double> read[3];
  for (std::size_t i = 0; i < 3; ++i) {
    const std::string& text = texts[kThreadBoxes + i];
    if (IsBlank(text)) continue;
    const auto number = ParseStrict(text, ungrouped);
    if (!number) return NotANumber(kPanelInputs[i], number.error().kind);
    read[i] = *number;
  }
  if (!read[0] && !read[1] && !read[2]) {
    return Refusal("请填写" + Quoted(kPanelInputs[0].caption) + "、" +
                   Quoted(kPanelInputs[1].caption) + "或" + Quoted(kPanelInputs[2].caption) + "。");
  }
  if (read[0] && read[1] && *read[1] > *read[0]) {
    return Refusal("中径下限大于中径上限。\n请检查" + Quoted(kPanelInputs[1].caption) + "。");
  }
  return Figures{read[0], read[1], read[2]};
}

// A length in µm to a tenth, or to as many more decimals as it takes not to read as 0: a limit
// typed finer than the tenth of a µm is missed by less.
std::string Micrometres(double millimetres, const NumberLocale& locale) {
  constexpr int kMostDecimals = 6;
  std::string text;
  for (int decimals = 1; decimals <= kMostDecimals; ++decimals) {
    text = FormatFixed(millimetres * 1000, decimals, locale);
    if (text.find_first_of("123456789") != std::string::npos) break;
  }
  return text + " µm";
}

// 合格, or how far the pitch diameter lies beyond the limit it passes. The pitch diameter is
// judged as it is shown, to the µm, so that the verdict agrees with the digits beside it: a part
// shown at a limit is within it, and one shown beyond it is beyond by more than nothing.
std::string Verdict(double d2, double d2min, double d2max, const NumberLocale& locale) {
  const double shown = RoundTripFixed(d2, kShownDecimals);
  if (shown > d2max) return "中径偏大 " + Micrometres(shown - d2max, locale);
  if (shown < d2min) return "中径偏小 " + Micrometres(d2min - shown, locale);
  return "合格";
}

HandlerOutcome Judge_Click(std::span<const std::string> texts, const NumberLocale& locale) {
  const auto figures_or_refusal = ReadFigures(texts, locale);
  if (const auto* refusal = std::get_if<FailureMessage>(&figures_or_refusal)) {
    return {.failure = *refusal};
  }
  const Figures& figures = std::get<Figures>(figures_or_refusal);
  const ThreadTexts thread{texts[0], texts[1], texts[2], texts[3]};
  const std::pair<const std::optional<double>&, const PanelItem&> given[] = {
      {figures.d2min, kPanelInputs[1]}, {figures.d2max, kPanelInputs[0]}};

  HandlerOutcome outcome;
  double actual[2] = {};
  for (std::size_t row = 0; row < 2; ++row) {
    const MModel model = kRowModels[row];
    for (std::size_t column = 0; column < 2; ++column) {
      const auto& [d2, box] = given[column];
      std::string m_text;
      if (d2) {
        const auto m = MForPitchDiameter(model, thread, *d2);
        if (!m) return {.failure = CalculationFailure(m.error(), texts, box)};
        m_text = FormatFixed(*m, kShownDecimals, locale);
      }
      outcome.writes.push_back({kPanelRows[row].cells[column], m_text});
    }
    std::string d2_text;
    if (figures.measured_m) {
      const auto d2 = PitchDiameterForM(model, thread, *figures.measured_m);
      if (!d2) return {.failure = CalculationFailure(d2.error(), texts, kPanelInputs[2])};
      actual[row] = *d2;
      d2_text = FormatFixed(*d2, kShownDecimals, locale);
    }
    outcome.writes.push_back({kPanelRows[row].cells[2], d2_text});
  }

  std::string verdict, basis;
  if (figures.d2min && figures.d2max && figures.measured_m) {
    verdict = Verdict(actual[1], *figures.d2min, *figures.d2max, locale);
    basis = "按迭代收敛解判定。";
    if (std::abs(actual[0] - actual[1]) > kNotableDifference) {
      basis += "按本窗口算法的实际中径与之相差 " +
               Micrometres(std::abs(actual[0] - actual[1]), locale) + "。";
    }
  }
  outcome.writes.push_back({kVerdict.name, verdict});
  outcome.writes.push_back({kVerdictBasis.name, basis});
  return outcome;
}

}  // namespace

std::optional<std::string> ResultName(std::string_view output) {
  for (const PanelRow& row : kPanelRows) {
    for (std::size_t column = 0; column < std::size(row.cells); ++column) {
      if (row.cells[column] == output) {
        return std::string(row.caption) + " " + std::string(kPanelColumns[column]);
      }
    }
  }
  return std::nullopt;
}

const Handler kJudge_Click{kReads, Judge_Click};

}  // namespace threewire::form
