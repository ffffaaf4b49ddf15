// SPDX-License-Identifier: MIT
// The inspector's panel without a page: the thread's box texts and the panel's in, what its
// outputs show or the failure out.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>

#include "exact_m_value.h"
#include "inspection_panel.h"
#include "m_value.h"
#include "number_format.h"

namespace threewire::form {
namespace {

using Texts = std::map<std::string, std::string, std::less<>>;

// A lead of 21°: pitch 12, four starts, 30°, wire 6.212.
const Texts kLargeLead{{"txtt", "12"}, {"txtn", "4"}, {"txtd0", "6.212"}, {"txtr", "30"}};

HandlerOutcome Judge(const Texts& typed, const NumberLocale& locale = {}) {
  std::vector<std::string> texts;
  for (const std::string_view box : kJudge_Click.reads) {
    const auto found = typed.find(box);
    texts.push_back(found == typed.end() ? "" : found->second);
  }
  return kJudge_Click.run(texts, locale);
}

Texts Shown(const HandlerOutcome& outcome) {
  Texts shown;
  for (const auto& [box, text] : outcome.writes) shown[std::string(box)] = text;
  return shown;
}

Texts With(Texts texts, const Texts& more) {
  texts.insert(more.begin(), more.end());
  return texts;
}

// The panel's M window by the window's method is the window's own M for that pitch diameter, and
// by the converged one the M box's note's.
TEST(InspectionPanel, TheMWindowIsTheWindowsOwnM) {
  // The README's threads of large lead, with best-size wires, and the 21° thread: pitch, starts,
  // wire, angle, and a pitch diameter as both limits.
  const std::array<const char*, 5> threads[] = {
      {"1.5", "1", "0.866", "60", "9.026"}, {"6", "3", "3.1058", "30", "33"},
      {"6", "6", "3.1058", "30", "33"},     {"10", "6", "5.1764", "30", "45"},
      {"10", "8", "5.1764", "30", "45"},    {"9.42478", "6", "5.0148", "40", "30"},
      {"12", "4", "6.212", "30", "39.800"},
  };
  for (const auto& [pitch, starts, wire, angle, d2] : threads) {
    SCOPED_TRACE(std::string(pitch) + " × " + starts);
    const Texts shown = Shown(Judge({{"txtt", pitch}, {"txtn", starts}, {"txtd0", wire},
                                     {"txtr", angle}, {"d2max", d2}, {"d2min", d2}}));
    const auto window = ComputeMValue(pitch, starts, d2, wire, angle);
    const auto exact = ComputeExactMValue(pitch, starts, d2, wire, angle);
    ASSERT_TRUE(window && exact);
    EXPECT_EQ(FormatSpaced(shown.at("m_max")), window->m_text);
    EXPECT_EQ(shown.at("m_min"), shown.at("m_max"));
    EXPECT_EQ(shown.at("m_max_exact"), FormatFixed(*exact, 3));
  }
}

// A part whose converged M says 39.650 reads 0.115 mm lower by the one-step method, which would
// reject it from 39.600–39.800; the verdict is the converged model's.
TEST(InspectionPanel, JudgesByTheConvergedModel) {
  const std::tuple<const char*, const char*, const char*> cases[] = {  // limits, verdict
      {"39.600", "39.800", "合格"},
      {"39.700", "39.800", "中径偏小 50.0 µm"},  // 39.700 − 39.64997
      {"39.500", "39.600", "中径偏大 50.0 µm"},  // 39.64997 − 39.600
      {"39.650", "39.650", "中径偏小 0.0 µm"},
  };
  for (const auto& [d2min, d2max, verdict] : cases) {
    SCOPED_TRACE(verdict);
    const HandlerOutcome outcome =
        Judge(With(kLargeLead, {{"d2min", d2min}, {"d2max", d2max}, {"measured_m", "48.917"}}));
    ASSERT_FALSE(outcome.failure) << outcome.failure->reason;
    const Texts shown = Shown(outcome);
    EXPECT_EQ(shown.at("d2_actual"), "39.535");
    EXPECT_EQ(shown.at("d2_actual_exact"), "39.650");
    EXPECT_EQ(shown.at("verdict"), verdict);
    EXPECT_EQ(shown.at("verdict_basis"),
              "按迭代收敛解判定。按本窗口算法的实际中径与之相差 115.3 µm。");
  }
}

// Limits alone give the M window, a measured M alone the actual pitch diameter; what cannot be
// given is cleared. Below 1 µm apart the two rows' pitch diameters need no word.
TEST(InspectionPanel, GivesWhatItsInputsAllow) {
  const Texts limits_only = Shown(Judge(With(kLargeLead, {{"d2max", "39.8"}, {"d2min", "39.6"}})));
  EXPECT_NE(limits_only.at("m_max"), "");
  EXPECT_NE(limits_only.at("m_min_exact"), "");
  for (const char* cleared : {"d2_actual", "d2_actual_exact", "verdict", "verdict_basis"}) {
    EXPECT_EQ(limits_only.at(cleared), "") << cleared;
  }
  const Texts measured_only = Shown(Judge(With(kLargeLead, {{"measured_m", "48.917"}})));
  EXPECT_EQ(measured_only.at("d2_actual_exact"), "39.650");
  for (const char* cleared : {"m_min", "m_max", "m_min_exact", "m_max_exact", "verdict"}) {
    EXPECT_EQ(measured_only.at(cleared), "") << cleared;
  }
  // M10×1.5 at 3° of lead: both methods agree to a fraction of a micrometre.
  const Texts m10 = Shown(Judge({{"txtt", "1.5"}, {"txtn", "1"}, {"txtd0", "0.866"}, {"txtr", "60"},
                                 {"d2max", "9.1"}, {"d2min", "9"}, {"measured_m", "10.327"}}));
  EXPECT_EQ(m10.at("verdict"), "合格");
  EXPECT_EQ(m10.at("verdict_basis"), "按迭代收敛解判定。");
}

// Nothing to work with, a text that is no number, limits the wrong way round, or a thread the M
// calculator cannot take: a message that names the box, and no output written.
TEST(InspectionPanel, RefusesBadInputNamingTheBox) {
  const NumberLocale german{",", "."};
  // clang-format off
  const std::tuple<const char*, Texts, NumberLocale, const char*> cases[] = {
      {"nothing", kLargeLead, {}, "请填写“中径上限”、“中径下限”或“实测M值”。"},
      {"letters", With(kLargeLead, {{"measured_m", "4x"}}), {}, "“实测M值”中没有填写有效的数。\n请检查“实测M值”。"},
      {"limits reversed", With(kLargeLead, {{"d2max", "39.6"}, {"d2min", "39.8"}}), {},
       "中径下限大于中径上限。\n请检查“中径下限”。"},
      {"a point under a decimal comma", With(kLargeLead, {{"d2max", "39.800"}}), german,
       "“中径上限”中没有填写有效的数。\n请检查“中径上限”。"},
      {"beyond range", With(kLargeLead, {{"d2min", "1e999"}}), {},
       "“中径下限”的数值太大，超出了计算范围。\n请检查“中径下限”。"},
      {"no thread", {{"txtd0", "6.212"}, {"measured_m", "48.917"}}, {}, "请填写“输入螺距”、“输入线数”、“输入牙形角”。"},
      {"no part has this M", With(kLargeLead, {{"measured_m", "1"}}), {}, "“实测M值”的数值无法用于计算。\n请检查“实测M值”。"},
  };
  // clang-format on
  for (const auto& [name, typed, locale, reason] : cases) {
    SCOPED_TRACE(name);
    const HandlerOutcome outcome = Judge(typed, locale);
    ASSERT_TRUE(outcome.failure);
    EXPECT_EQ(outcome.failure->what_failed, "无法判定。");
    EXPECT_EQ(outcome.failure->reason, reason);
    EXPECT_TRUE(outcome.writes.empty());
  }
  // The user's own decimal separator is read.
  EXPECT_FALSE(Judge(With(kLargeLead, {{"d2max", "39,800"}}), german).failure);
}

}  // namespace
}  // namespace threewire::form
