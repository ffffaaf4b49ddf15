// SPDX-License-Identifier: MIT
// The inspector's panel without a page: the thread's box texts and the panel's in, what its
// outputs show or the failure out.
#include <gtest/gtest.h>

#include "inspection_panel.h"
#include "run_handler.h"

namespace threewire::form {
namespace {

using testing_support::RunOn;
using testing_support::Shown;
using testing_support::Texts;

// A lead of 21°: pitch 12, four starts, 30°, wire 6.212.
const Texts kLargeLead{{"txtt", "12"}, {"txtn", "4"}, {"txtd0", "6.212"}, {"txtr", "30"}};
const NumberLocale kGerman{",", "."};

// The texts, with some of them replaced or added.
Texts With(Texts texts, const Texts& more) {
  for (const auto& [box, text] : more) texts.insert_or_assign(box, text);
  return texts;
}

// A part whose converged M says 39.650 reads 0.115 mm lower by the one-step method, which would
// reject it from 39.600–39.800; the verdict is the converged model's. Limits alone give the M
// window, a measured M alone the actual pitch diameter; what cannot be given is cleared. Below
// 1 µm apart the two rows' pitch diameters need no word.
TEST(InspectionPanel, GivesWhatItsInputsAllowAndJudgesByTheConvergedModel) {
  const Texts kBasis{
      {"verdict_basis", "按迭代收敛解判定。按本窗口算法的实际中径与之相差 115.3 µm。"}};
  // clang-format off
  const std::tuple<const char*, Texts, NumberLocale, Texts> cases[] = {
      {"within", {{"d2min", "39.600"}, {"d2max", "39.800"}, {"measured_m", "48.917"}}, {},
       With(kBasis, {{"d2_actual", "39.535"}, {"d2_actual_exact", "39.650"}, {"verdict", "合格"}})},
      {"small", {{"d2min", "39.700"}, {"d2max", "39.800"}, {"measured_m", "48.917"}}, {},
       With(kBasis, {{"verdict", "中径偏小 50.0 µm"}})},  // 39.700 − 39.650 as shown
      {"large", {{"d2min", "39.500"}, {"d2max", "39.600"}, {"measured_m", "48.917"}}, {},
       With(kBasis, {{"verdict", "中径偏大 50.0 µm"}})},  // 39.650 as shown − 39.600
      // Judged as shown: 39.64997 shows as 39.650, within limits of 39.650, and beyond limits
      // typed finer by what they leave, in as many decimals as that takes.
      {"shown on both limits", {{"d2min", "39.650"}, {"d2max", "39.650"}, {"measured_m", "48.917"}}, {},
       {{"d2_actual_exact", "39.650"}, {"verdict", "合格"}}},
      {"shown 0.5 µm under a limit", {{"d2min", "39.6505"}, {"d2max", "39.8"}, {"measured_m", "48.917"}}, {},
       {{"verdict", "中径偏小 0.5 µm"}}},
      {"shown 0.01 µm over a limit", {{"d2min", "39.6"}, {"d2max", "39.64999"}, {"measured_m", "48.917"}}, {},
       {{"verdict", "中径偏大 0.01 µm"}}},
      {"limits only", {{"d2max", "39.8"}, {"d2min", "39.6"}}, {},
       {{"m_max", "49.163"}, {"m_max_exact", "49.058"}, {"d2_actual", ""}, {"d2_actual_exact", ""}, {"verdict", ""}, {"verdict_basis", ""}}},
      {"in the user's decimal separator", {{"d2max", "39,8"}}, kGerman, {{"m_max", "49,163"}, {"m_min", ""}}},
      {"measured only", {{"measured_m", "48.917"}}, {},
       {{"d2_actual_exact", "39.650"}, {"m_min", ""}, {"m_max", ""}, {"m_min_exact", ""}, {"m_max_exact", ""}, {"verdict", ""}}},
      {"M10x1.5 at 3° of lead: the methods agree within 1 µm",
       {{"txtt", "1.5"}, {"txtn", "1"}, {"txtd0", "0.866"}, {"txtr", "60"}, {"d2max", "9.1"}, {"d2min", "9"}, {"measured_m", "10.327"}}, {},
       {{"verdict", "合格"}, {"verdict_basis", "按迭代收敛解判定。"}}},
  };
  // clang-format on
  for (const auto& [name, typed, locale, expected] : cases) {
    SCOPED_TRACE(name);
    const HandlerOutcome outcome = RunOn(kJudge_Click, With(kLargeLead, typed), locale);
    ASSERT_FALSE(outcome.failure) << outcome.failure->reason;
    const Texts shown = Shown(outcome);
    for (const auto& [output, text] : expected) EXPECT_EQ(shown.at(output), text) << output;
  }
}

// Nothing to work with, a text that is no number, limits the wrong way round, or a thread the M
// calculator cannot take: a message that names the box, and no output written.
TEST(InspectionPanel, RefusesBadInputNamingTheBox) {
  // clang-format off
  const std::tuple<const char*, Texts, NumberLocale, const char*> cases[] = {
      {"nothing", kLargeLead, {}, "请填写“中径上限”、“中径下限”或“实测M值”。"},
      {"letters", With(kLargeLead, {{"measured_m", "4x"}}), {}, "“实测M值”中没有填写有效的数。\n请检查“实测M值”。"},
      {"limits reversed", With(kLargeLead, {{"d2max", "39.6"}, {"d2min", "39.8"}}), {},
       "中径下限大于中径上限。\n请检查“中径下限”。"},
      {"a point under a decimal comma", With(kLargeLead, {{"d2max", "39.800"}}), kGerman,
       "“中径上限”中没有填写有效的数。\n请检查“中径上限”。"},
      {"beyond range", With(kLargeLead, {{"d2min", "1e999"}}), {},
       "“中径下限”的数值太大，超出了计算范围。\n请检查“中径下限”。"},
      {"no thread", {{"txtd0", "6.212"}, {"measured_m", "48.917"}}, {}, "请填写“输入螺距”、“输入线数”、“输入牙形角”。"},
      {"no part has this M", With(kLargeLead, {{"measured_m", "1"}}), {}, "“实测M值”的数值无法用于计算。\n请检查“实测M值”。"},
  };
  // clang-format on
  for (const auto& [name, typed, locale, reason] : cases) {
    SCOPED_TRACE(name);
    const HandlerOutcome outcome = RunOn(kJudge_Click, typed, locale);
    ASSERT_TRUE(outcome.failure);
    EXPECT_EQ(outcome.failure->what_failed, "无法判定。");
    EXPECT_EQ(outcome.failure->reason, reason);
    EXPECT_TRUE(outcome.writes.empty());
  }
}

}  // namespace
}  // namespace threewire::form
