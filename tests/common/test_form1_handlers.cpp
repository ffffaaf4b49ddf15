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

// What a fresh window's boxes hold.
Boxes FreshBoxes() {
  Boxes boxes;
  for (const Control& control : Controls()) {
    if (control.kind == ControlKind::kTextBox || control.kind == ControlKind::kComboBox) {
      boxes[std::string(control.name)] = std::string(control.text);
    }
  }
  return boxes;
}

struct Window {
  Boxes boxes = FreshBoxes();
  std::string m_note;
  std::optional<FailureMessage> failure;
  int text8_changes = 0;

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

Window Typed(const Boxes& typed) {
  Window window;
  for (const auto& [box, text] : typed) window.boxes.at(box) = text;
  return window;
}

const Boxes kM10{
    {"txtt", "1.5"}, {"txtn", "1"}, {"txtd2", "9.026"}, {"txtd0", "0.866"}, {"txtr", "60"}};

// The results of both calculators, as the boxes show them after the click: the best wire
// P / (2 cos(α/2)) rounded to three decimals by Text8's own handler, the lead angle
// atan(nP / (π d2)) with three decimals, M in its spaced form.
TEST(Form1Handlers, ClicksShowTheirResults) {
  struct Case {
    const char* name;
    Boxes typed;
    const Handler& handler;
    Boxes shown;
  };
  const Case cases[] = {
      {"M10x1.5 best wire",
       {{"Text6", "1.5"}, {"Text7", "60"}},
       kCommand9_Click,
       {{"Text8", "0.866"}}},  // 1.5 / (2 cos 30°) = 0.8660
      {"Whitworth best wire",
       {{"Text6", "2"}, {"Text7", "55"}},
       kCommand9_Click,
       {{"Text8", "1.127"}}},  // 2 / (2 cos 27.5°) = 1.1274
      {"M10x1.5", kM10, kCommand101_Click, {{"Text101", "3.028"}, {"txtm", " 10.327"}}},
      {"Tr36x6, three starts",
       {{"txtt", "6"}, {"txtn", "3"}, {"txtd2", "33"}, {"txtd0", "3.106"}, {"txtr", "30"}},
       kCommand101_Click,
       {{"Text101", "9.850"}}},  // atan(18 / (π 33)) = 9.850°
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Window window = Typed(c.typed);
    window.Run(c.handler);
    EXPECT_FALSE(window.failure);
    for (const auto& [box, text] : c.shown) EXPECT_EQ(window.boxes.at(box), text) << box;
  }
}

// Text8 rounds a number to three decimals on every change, half away from zero on the decimal
// the user sees; any other text stays as typed, and a formatted text is not written again.
TEST(Form1Handlers, Text8RoundsNumbersOnly) {
  const std::tuple<const char*, const char*, NumberLocale> cases[] = {
      {"1", "1.000", {}}, {"1.0005", "1.001", {}}, {"-2.5", "-2.500", {}},       {"x1", "x1", {}},
      {"", "", {}},       {"1.000", "1.000", {}},  {"1,5", "1,500", {",", "."}},
  };
  for (const auto& [typed, shown, locale] : cases) {
    SCOPED_TRACE(typed);
    Window window = Typed({{"Text8", typed}});
    window.Run(kText8_Change, locale);
    EXPECT_EQ(window.boxes.at("Text8"), shown);
    EXPECT_EQ(window.text8_changes, std::string(typed) == shown ? 0 : 1);
  }
}

// 显示 writes the unrounded value, which Text8's change then rounds, once.
TEST(Form1Handlers, BestWireIsRoundedByText8sOwnChange) {
  Window window = Typed({{"Text6", "0.125"}, {"Text7", "60"}});
  window.Run(kCommand9_Click);
  EXPECT_EQ(window.boxes.at("Text8"), "0.072");  // 0.125 / (2 cos 30°) = 0.07217
  EXPECT_EQ(window.text8_changes, 2);            // 7.21681402353375E-02, then 0.072
}

// A failure changes no box and says which boxes to fill or check; a fresh window's boxes are
// empty, and that is what its first click is told.
TEST(Form1Handlers, FailuresNameTheBoxes) {
  struct Case {
    const char* name;
    Boxes typed;
    const Handler& handler;
    const char* what_failed;
    const char* reason;
  };
  const Case cases[] = {
      {"fresh window, M",
       {},
       kCommand101_Click,
       "无法计算M值。",
       "请填写“输入螺距”、“输入线数”、“输入外螺纹理论中径值(不含公差)”、“输入牙形角”。"},
      {"fresh window, best wire",
       {},
       kCommand9_Click,
       "无法计算理论三针直径。",
       "请填写“输入螺距”、“输入螺纹牙形角”。"},
      {"blanks are empty",
       {{"txtt", "1.5"}, {"txtn", "1"}, {"txtd2", "9"}, {"txtr", " \t"}},
       kCommand101_Click,
       "无法计算M值。",
       "请填写“输入牙形角”。"},
      // The angle is read first; it holds letters, so that is said after the empty pitch.
      {"letters and an empty box",
       {{"Text7", "abc"}},
       kCommand9_Click,
       "无法计算理论三针直径。",
       "请填写“输入螺距”。\n“输入螺纹牙形角”中没有填写有效的数。\n请检查“输入螺纹牙形角”。"},
      {"no box empty",
       {{"txtt", "1.5"}, {"txtn", "0"}, {"txtd2", "9"}, {"txtr", "60"}},
       kCommand101_Click,
       "无法计算M值。",
       "螺距和线数不能为零，也不能空着。\n请检查“输入螺距”和“输入线数”。"},
      {"180 degrees",
       {{"txtt", "1.5"}, {"txtn", "1"}, {"txtd2", "9"}, {"txtr", "180"}},
       kCommand101_Click,
       "无法计算M值。",
       "这个牙形角使计算除以零（例如0°或180°）。\n请检查“输入牙形角”。"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Window window = Typed(c.typed);
    const Boxes before = window.boxes;
    window.Run(c.handler);
    ASSERT_TRUE(window.failure);
    EXPECT_EQ(window.failure->what_failed, c.what_failed);
    EXPECT_EQ(window.failure->reason, c.reason);
    EXPECT_EQ(window.boxes, before);
  }
}

// After 显示M值 the M box's note gives the converged M, near the shown one at a small lead; a
// failure takes the note away, and the boxes keep the last result.
TEST(Form1Handlers, TheMBoxsNoteFollowsEachClick) {
  Window window = Typed(kM10);
  window.Run(kCommand101_Click);
  EXPECT_TRUE(window.m_note.starts_with("迭代收敛解：M = 10.32")) << window.m_note;
  EXPECT_TRUE(window.m_note.ends_with(" mm（显示值与之相差 0.000 mm）")) << window.m_note;
  window.boxes.at("txtn") = "";
  window.Run(kCommand101_Click);
  EXPECT_EQ(window.m_note, "");
  EXPECT_EQ(window.boxes.at("txtm"), " 10.327");
}

// A window reads and writes boxes by the names the handlers give: each is a box of the table.
TEST(Form1Handlers, NameOnlyBoxesOfTheTable) {
  const Boxes fresh = FreshBoxes();
  for (const Handler* handler : {&kCommand9_Click, &kText8_Change, &kCommand101_Click}) {
    for (const std::string_view box : handler->reads) EXPECT_TRUE(fresh.contains(box)) << box;
  }
  Window window = Typed(kM10);
  window.Run(kCommand101_Click);  // would throw on a name that is no box
  EXPECT_EQ(window.boxes.size(), fresh.size());
}

}  // namespace
}  // namespace threewire::form
