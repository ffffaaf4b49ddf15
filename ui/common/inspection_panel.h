// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "form1_handlers.h"

// The inspector's panel, 实测判定, which the web page shows beside the window: from the
// drawing's pitch-diameter limits and the M measured over the wires, for the thread in the M
// calculator's boxes, the M window of the limits, the part's actual pitch diameter and a verdict,
// each by the window's one-step method and by the converged solution of the same model. The
// verdict is the converged one's: at large leads the one-step M departs from the model it solves,
// and would pass or reject parts by that departure.
namespace threewire::form {

inline constexpr std::string_view kPanelTitle = "实测判定";

// A box or an output of the panel: its element's name, and the caption it shows.
struct PanelItem {
  std::string_view name;
  std::string_view caption;
};

// The boxes the inspector fills, in the order shown, all in mm.
inline constexpr PanelItem kPanelInputs[] = {
    {"d2max", "中径上限"},
    {"d2min", "中径下限"},
    {"measured_m", "实测M值"},
};
constexpr std::span<const PanelItem> PanelInputs() { return kPanelInputs; }

inline constexpr PanelItem kJudgeButton{"judge", "判定"};

// The outputs' table, as a screen reader names it; its columns, and its two rows: a caption, then
// one output per column.
inline constexpr std::string_view kResultsCaption = "两种算法的结果";
struct PanelRow {
  std::string_view caption;
  std::string_view cells[3];
};
inline constexpr std::string_view kPanelColumns[] = {"M下限", "M上限", "实际中径"};
// clang-format off
inline constexpr PanelRow kPanelRows[] = {
    {"按本窗口算法", {"m_min",       "m_max",       "d2_actual"}},
    {"迭代收敛解",   {"m_min_exact", "m_max_exact", "d2_actual_exact"}},
};
// clang-format on
constexpr std::span<const std::string_view> PanelColumns() { return kPanelColumns; }
constexpr std::span<const PanelRow> PanelRows() { return kPanelRows; }

// What a screen reader names an output of the table: its row's caption and its column's, as
// "迭代收敛解 实际中径"; none for any other name.
std::optional<std::string> ResultName(std::string_view output);

// The verdict, and the line under it that says how it was judged, with the names a screen reader
// gives them.
inline constexpr PanelItem kVerdict{"verdict", "判定结果"};
inline constexpr PanelItem kVerdictBasis{"verdict_basis", "判定依据"};

// 判定, or Enter in one of the panel's boxes: reads the thread's boxes as 显示M值 does and the
// panel's own, strictly in the user's decimal separator without digit grouping. With the limits
// it writes their M window, with a measured M the actual pitch diameter, with both the verdict;
// what it cannot give it clears. Nothing to work with, a text that is no number, or a lower limit
// above the upper one is a failure that names the box, and changes nothing.
extern const Handler kJudge_Click;

}  // namespace threewire::form
