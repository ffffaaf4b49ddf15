// SPDX-License-Identifier: MIT
// Form1 without a window: the order Tab walks its controls in and the names screen readers hear;
// its handlers, box texts in, what they write, the M box's note and the failure message out.
#include <gtest/gtest.h>

#include "run_handler.h"

namespace threewire::form {
namespace {

using testing_support::RunOn;
using testing_support::Texts;

// From 打 印, where the window opens, up through the M calculator and the best-wire calculator to
// the welcome note. A box is heard by the caption beside it (the wire box by 输入实际三针直径),
// the welcome note, which has none, as 欢迎信息, and a button by its caption.
TEST(Form1Layout, TabOrderAndScreenReaderNames) {
  using Named = std::pair<std::string_view, std::string>;
  // clang-format off
  const std::vector<Named> expected = {
      {"Command7", "打 印"}, {"txtd0", "输入实际三针直径"}, {"Text101", "螺纹升角"}, {"Command101", "显示M值"},
      {"txtm", "M值"}, {"txtr", "输入牙形角"}, {"txtd2", "输入外螺纹理论中径值(不含公差)"}, {"txtn", "输入线数"},
      {"txtt", "输入螺距"}, {"Command9", "显示"}, {"Text8", "显示理论三针直径"}, {"Text7", "输入螺纹牙形角"},
      {"Text6", "输入螺距"}, {"Text3", "欢迎信息"},
      {"d2max", "中径上限"}, {"d2min", "中径下限"}, {"measured_m", "实测M值"}, {"judge", "判定"},
      {"m_min", "按本窗口算法 M下限"}, {"m_max", "按本窗口算法 M上限"}, {"d2_actual", "按本窗口算法 实际中径"},
      {"m_min_exact", "迭代收敛解 M下限"}, {"m_max_exact", "迭代收敛解 M上限"}, {"d2_actual_exact", "迭代收敛解 实际中径"}};
  // clang-format on
  std::vector<Named> order;
  for (const Control* control : TabOrder())
    order.emplace_back(control->name, AccessibleName(*control));
  EXPECT_EQ(order, expected);
}

// 显示 writes the best wire unrounded, for Text8's own change to round; 显示M值 the lead angle,
// then M, and the converged M as the M box's note. Text8 rounds a number on the decimal the user
// sees, and leaves any other text, and a text it has formatted already, unwritten: a window reports
// its own write as a change, which would otherwise come back without end.
TEST(Form1Handlers, WriteTheirResultsInOrder) {
  struct Case {
    const char* name;
    const Handler& handler;
    Texts typed;
    std::vector<BoxText> writes;
    std::optional<std::string> m_note = std::nullopt;
    NumberLocale locale = {};
  };
  const NumberLocale german{",", "."};
  // clang-format off
  const Case cases[] = {
      {"best wire, decimal comma", kCommand9_Click, {{"Text6", "1,5"}, {"Text7", "60"}}, {{"Text8", "0,86601768282405"}}, std::nullopt, german},
      {"21° of lead", kCommand101_Click, {{"txtt", "12"}, {"txtn", "4"}, {"txtd2", "39.8"}, {"txtd0", "6.212"}, {"txtr", "30"}},
       {{"Text101", "21.001"}, {"txtm", " 49.163"}}, "迭代收敛解：M = 49.0576 mm（显示值与之相差 0.105 mm）"},
      {"decimal comma", kText8_Change, {{"Text8", "1,5"}}, {{"Text8", "1,500"}}, std::nullopt, german},
      {"letters", kText8_Change, {{"Text8", "x1"}}, {}},
      {"formatted already", kText8_Change, {{"Text8", "1.000"}}, {}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const HandlerOutcome outcome = RunOn(c.handler, c.typed, c.locale);
    EXPECT_FALSE(outcome.failure);
    EXPECT_EQ(outcome.writes, c.writes);
    EXPECT_EQ(outcome.m_note, c.m_note);
  }
}

// A failure writes nothing and says which boxes to fill or check; a fresh window's boxes are
// empty, and that is what its first click is told. A failed M takes the M box's note away.
TEST(Form1Handlers, FailuresNameTheBoxes) {
  // clang-format off
  const std::tuple<const char*, Texts, const Handler&, const char*, const char*> cases[] = {
      {"fresh window, M", {}, kCommand101_Click, "无法计算M值。",
       "请填写“输入螺距”、“输入线数”、“输入外螺纹理论中径值(不含公差)”、“输入牙形角”。"},
      {"fresh window, best wire", {}, kCommand9_Click, "无法计算理论三针直径。", "请填写“输入螺距”、“输入螺纹牙形角”。"},
      {"blanks are empty", {{"txtt", "1.5"}, {"txtn", "1"}, {"txtd2", "9"}, {"txtr", " \t"}}, kCommand101_Click,
       "无法计算M值。", "请填写“输入牙形角”。"},
      // The angle is read first; it holds letters, so that is said after the empty pitch.
      {"letters and an empty box", {{"Text7", "abc"}}, kCommand9_Click, "无法计算理论三针直径。",
       "请填写“输入螺距”。\n“输入螺纹牙形角”中没有填写有效的数。\n请检查“输入螺纹牙形角”。"},
      {"no box empty", {{"txtt", "1.5"}, {"txtn", "0"}, {"txtd2", "9"}, {"txtr", "60"}}, kCommand101_Click,
       "无法计算M值。", "螺距和线数不能为零，也不能空着。\n请检查“输入螺距”和“输入线数”。"},
      {"180 degrees", {{"txtt", "1.5"}, {"txtn", "1"}, {"txtd2", "9"}, {"txtr", "180"}}, kCommand101_Click,
       "无法计算M值。", "这个牙形角使计算除以零（例如0°或180°）。\n请检查“输入牙形角”。"},
      {"too large", {{"txtt", "1.5"}, {"txtn", "1"}, {"txtd2", "9"}, {"txtd0", "1e309"}, {"txtr", "60"}}, kCommand101_Click,
       "无法计算M值。", "三针直径的数值太大，超出了计算范围。\n请检查“输入实际三针直径”。"},
  };
  // clang-format on
  for (const auto& [name, typed, handler, what_failed, reason] : cases) {
    SCOPED_TRACE(name);
    const HandlerOutcome outcome = RunOn(handler, typed);
    ASSERT_TRUE(outcome.failure);
    EXPECT_EQ(outcome.failure->what_failed, what_failed);
    EXPECT_EQ(outcome.failure->reason, reason);
    EXPECT_TRUE(outcome.writes.empty());
    EXPECT_EQ(outcome.m_note,
              &handler == &kCommand101_Click ? std::optional<std::string>("") : std::nullopt);
  }
}

}  // namespace
}  // namespace threewire::form
