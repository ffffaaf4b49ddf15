// SPDX-License-Identifier: MIT
// Form1's handlers without a window: box texts in, what the boxes show out. A small model of a
// window applies what a handler says as every window does, so a click's whole effect is seen,
// Text8's reformatting after 显示 included.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "form1_handlers.h"
#include "form1_layout.h"

namespace threewire::form {
namespace {

using Boxes = std::map<std::string, std::string, std::less<>>;

struct Window {
  Boxes boxes;
  std::string m_note;
  std::optional<FailureMessage> failure;
  int text8_changes = 0;

  // A fresh window's boxes, then the texts typed into them.
  explicit Window(const Boxes& typed) {
    for (const Control& control : Controls()) {
      if (control.kind == ControlKind::kTextBox || control.kind == ControlKind::kComboBox)
        boxes[std::string(control.name)] = std::string(control.text);
    }
    for (const auto& [box, text] : typed) boxes.at(box) = text;
  }

  void Run(const Handler& handler, const NumberLocale& locale = {}) {
    std::vector<std::string> texts;
    for (const std::string_view box : handler.reads) texts.push_back(boxes.at(std::string(box)));
    const HandlerOutcome outcome = handler.run(texts, locale);
    if (outcome.m_note) m_note = *outcome.m_note;
    failure = outcome.failure;
    if (outcome.failure) return;
    for (const auto& [box, text] : outcome.writes) {
      boxes.at(std::string(box)) = text;
      if (box == "Text8") {  // a write is a change of the box's text
        ++text8_changes;
        Run(kText8_Change, locale);
      }
    }
  }
};

const Boxes kM10{
    {"txtt", "1.5"}, {"txtn", "1"}, {"txtd2", "9.026"}, {"txtd0", "0.866"}, {"txtr", "60"}};

// What the boxes show after a click or a change: the best wire P / (2 cos(α/2)), written unrounded
// and rounded by Text8's own change; the lead angle atan(nP / (π d2)) with three decimals, M in its
// spaced form. Text8 rounds a number half away from zero on the decimal the user sees, leaves other
// texts as typed, and does not write a formatted text again.
TEST(Form1Handlers, ClicksAndChangesShowTheirResults) {
  struct Case {
    const char* name;
    Boxes typed;
    const Handler& handler;
    Boxes shown;
    int text8_changes = 0;
    NumberLocale locale = {};
  };
  // clang-format off
  const Case cases[] = {
      {"M10x1.5 best wire", {{"Text6", "1.5"}, {"Text7", "60"}}, kCommand9_Click, {{"Text8", "0.866"}}, 2},  // 0.8660
      {"miniature best wire", {{"Text6", "0.125"}, {"Text7", "60"}}, kCommand9_Click, {{"Text8", "0.072"}}, 2},  // 7.21681402353375E-02
      {"Whitworth best wire", {{"Text6", "2"}, {"Text7", "55"}}, kCommand9_Click, {{"Text8", "1.127"}}, 2},  // 1.1274
      {"M10x1.5", kM10, kCommand101_Click, {{"Text101", "3.028"}, {"txtm", " 10.327"}}},
      {"Tr36x6, three starts", {{"txtt", "6"}, {"txtn", "3"}, {"txtd2", "33"}, {"txtd0", "3.106"}, {"txtr", "30"}},
       kCommand101_Click, {{"Text101", "9.850"}}},  // atan(18 / (π 33))
      {"digit", {{"Text8", "1"}}, kText8_Change, {{"Text8", "1.000"}}, 1},
      {"halfway", {{"Text8", "1.0005"}}, kText8_Change, {{"Text8", "1.001"}}, 1},
      {"negative", {{"Text8", "-2.5"}}, kText8_Change, {{"Text8", "-2.500"}}, 1},
      {"letters", {{"Text8", "x1"}}, kText8_Change, {{"Text8", "x1"}}},
      {"empty", {{"Text8", ""}}, kText8_Change, {{"Text8", ""}}},
      {"formatted", {{"Text8", "1.000"}}, kText8_Change, {{"Text8", "1.000"}}},
      {"decimal comma", {{"Text8", "1,5"}}, kText8_Change, {{"Text8", "1,500"}}, 1, {",", "."}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Window window(c.typed);
    window.Run(c.handler, c.locale);
    EXPECT_FALSE(window.failure);
    for (const auto& [box, text] : c.shown) EXPECT_EQ(window.boxes.at(box), text) << box;
    EXPECT_EQ(window.text8_changes, c.text8_changes);
  }
}

// A failure changes no box and says which boxes to fill or check; a fresh window's boxes are
// empty, and that is what its first click is told.
TEST(Form1Handlers, FailuresNameTheBoxes) {
  // clang-format off
  const std::tuple<const char*, Boxes, const Handler&, const char*, const char*> cases[] = {
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
  };
  // clang-format on
  for (const auto& [name, typed, handler, what_failed, reason] : cases) {
    SCOPED_TRACE(name);
    Window window(typed);
    const Boxes before = window.boxes;
    window.Run(handler);
    ASSERT_TRUE(window.failure);
    EXPECT_EQ(window.failure->what_failed, what_failed);
    EXPECT_EQ(window.failure->reason, reason);
    EXPECT_EQ(window.boxes, before);
  }
}

// After 显示M值 the M box's note gives the converged M, near the shown one at a small lead; a
// failure takes the note away, and the boxes keep the last result.
TEST(Form1Handlers, TheMBoxsNoteFollowsEachClick) {
  Window window(kM10);
  window.Run(kCommand101_Click);
  EXPECT_TRUE(window.m_note.starts_with("迭代收敛解：M = 10.32")) << window.m_note;
  EXPECT_TRUE(window.m_note.ends_with(" mm（显示值与之相差 0.000 mm）")) << window.m_note;
  window.boxes.at("txtn") = "";
  window.Run(kCommand101_Click);
  EXPECT_EQ(window.m_note, "");
  EXPECT_EQ(window.boxes.at("txtm"), " 10.327");
}

}  // namespace
}  // namespace threewire::form
