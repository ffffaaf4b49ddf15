// SPDX-License-Identifier: MIT
// The Windows window, driven through its controls: texts set in its boxes, buttons pressed, keys
// given to the window's key handling as its message loop would, messages found and closed.
#include <gtest/gtest.h>
// The common controls need windows.h first.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <optional>
#include <set>
#include <string>

#include "form1.h"
#include "form1_layout.h"
#include "print_window.h"
#include "wide_text.h"

namespace {

using threewire::form::ControlKind;
using threewire::win32::TextOf;

BOOL CALLBACK AppendText(HWND window, LPARAM texts) {
  *reinterpret_cast<std::string*>(texts) += TextOf(window) + "\n";
  return TRUE;
}

// The owner and the controls' texts of a dialog found open on the thread, and closed.
std::optional<std::pair<HWND, std::string>> seen_dialog;

BOOL CALLBACK CloseIfDialog(HWND window, LPARAM) {
  wchar_t name[16];
  GetClassNameW(window, name, std::size(name));
  if (!IsWindowVisible(window) || std::wstring_view(name) != L"#32770") return TRUE;
  seen_dialog.emplace(GetWindow(window, GW_OWNER), "");
  EnumChildWindows(window, AppendText, reinterpret_cast<LPARAM>(&seen_dialog->second));
  PostMessageW(window, WM_COMMAND, IDOK, 0);
  return FALSE;
}

// Runs inside the modal loop of the dialog that a click opened.
void CALLBACK CloseDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), CloseIfDialog, 0);
  if (seen_dialog) KillTimer(nullptr, timer);
}

class Form1Test : public testing::Test {
 protected:
  void SetUp() override {
    ShowWindow(form_, SW_SHOWNORMAL);
    UpdateWindow(form_);
  }
  void TearDown() override {
    DestroyWindow(form_);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }

  HWND Control(std::string_view name) const { return threewire::win32::ControlHandle(form_, name); }
  std::string Text(std::string_view name) const { return TextOf(Control(name)); }
  void Type(std::string_view box, std::string_view text) const {
    threewire::win32::SetText(Control(box), text);
  }
  void Click(std::string_view button) const { SendMessageW(Control(button), BM_CLICK, 0, 0); }
  // What the message loop does with a key that the window leaves to the focused control.
  void Key(UINT message, WPARAM key) const {
    MSG msg{GetFocus(), message, key, 0};
    if (!threewire::win32::HandleForm1Keys(form_, msg)) DispatchMessageW(&msg);
  }
  // The text of the tooltip that the control shows, asked of the window's tooltip control.
  std::string ToolTip(std::string_view name) const {
    HWND tooltip = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM found) {
          wchar_t name[32];
          GetClassNameW(window, name, std::size(name));
          if (std::wstring_view(name) == TOOLTIPS_CLASSW) *reinterpret_cast<HWND*>(found) = window;
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&tooltip));
    wchar_t text[200] = L"";
    TTTOOLINFOW tool{sizeof tool};
    tool.hwnd = form_;
    tool.uId = reinterpret_cast<UINT_PTR>(Control(name));
    tool.lpszText = text;
    SendMessageW(tooltip, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
    return threewire::win32::Narrow(text);
  }
  std::string TextsOfAllControls() const {
    std::string texts;
    EnumChildWindows(form_, AppendText, reinterpret_cast<LPARAM>(&texts));
    return texts;
  }

  HWND form_ = threewire::win32::CreateForm1(GetModuleHandleW(nullptr));
};

TEST_F(Form1Test, MValueOfTheWorkedExamples) {
  const char* boxes[] = {"txtt", "txtn", "txtd2", "txtd0", "txtr"};
  const struct {
    const char *inputs[5], *lead_angle, *m;
  } cases[] = {
      {{"1.5", "1", "9.026", "0.866", "60"}, "3.028", " 10.327"},
      {{"6", "3", "36", "3.106", "30"}, "9.043", " 40.048"},
      {{"2", "4", "18.701", "1.157", "60"}, "7.754", " 20.456"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.m);
    for (int i = 0; i < 5; ++i) Type(boxes[i], c.inputs[i]);
    Click("Command101");
    EXPECT_EQ(Text("Text101"), c.lead_angle);
    EXPECT_EQ(Text("txtm"), c.m);
    EXPECT_TRUE(ToolTip("txtm").starts_with("迭代收敛解：M = ")) << ToolTip("txtm");
  }
}

// 显示 pressed with Enter, as it has the focus.
TEST_F(Form1Test, Text8ShowsThreeDecimalsOfWhatIsWrittenOrTyped) {
  Type("Text6", "1.5");
  Type("Text7", "60");
  SetFocus(Control("Command9"));
  Key(WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(Text("Text8"), "0.866");  // 0.86601768282405 before Text8 rounds it
  Type("Text8", "");
  SetFocus(Control("Text8"));
  Key(WM_CHAR, '5');
  EXPECT_EQ(Text("Text8"), "5.000");
  DWORD start = 0, end = 0;
  SendMessageW(Control("Text8"), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(std::pair(start, end), std::pair(5ul, 5ul));  // the caret at the end
}

// Without a profile angle the M calculator fails first; the converged M's tooltip goes with it.
TEST_F(Form1Test, FailureChangesNoBoxAndNamesTheBoxToCheck) {
  for (const auto [box, text] : {std::pair{"txtt", "1.5"}, {"txtn", "1"}, {"txtd2", "9"}}) {
    Type(box, text);
  }
  Type("txtr", "60");
  Click("Command101");
  ASSERT_NE(ToolTip("txtm"), "");
  Type("txtr", "");
  const std::string before = TextsOfAllControls();
  seen_dialog.reset();
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, CloseDialog);
  Click("Command101");
  KillTimer(nullptr, timer);
  ASSERT_TRUE(seen_dialog.has_value());
  EXPECT_EQ(seen_dialog->first, form_);
  EXPECT_NE(seen_dialog->second.find("“输入牙形角”"), std::string::npos) << seen_dialog->second;
  EXPECT_EQ(TextsOfAllControls(), before);
  EXPECT_EQ(ToolTip("txtm"), "");
}

TEST_F(Form1Test, FocusStartsOnPrintAndTabWalksTheTabOrderRound) {
  std::vector<HWND> expected, walked;
  for (const auto* control : threewire::form::TabOrder())
    expected.push_back(Control(control->name));
  expected.push_back(expected.front());
  for (size_t step = 0; step < expected.size(); ++step) {
    HWND focus = GetFocus();  // a drop-down box's edit field stands for the box
    walked.push_back(GetParent(focus) == form_ ? focus : GetParent(focus));
    Key(WM_KEYDOWN, VK_TAB);
  }
  EXPECT_EQ(walked.front(), Control("Command7"));
  EXPECT_EQ(walked, expected);
}

// Measured in the Song face the window shows: each caption within its label, on one line, or on
// the two lines that the four tall labels were drawn for.
TEST_F(Form1Test, CaptionsFitTheirLines) {
  const std::set<std::string_view> two_lines = {"Label1_37", "Label1_38", "Label1_42", "Label5"};
  const HDC dc = GetDC(form_);
  for (const auto& label : threewire::form::Controls()) {
    if (label.kind != ControlKind::kLabel) continue;
    SCOPED_TRACE(label.name);
    HWND window = Control(label.name);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    RECT client, needed{};
    GetClientRect(window, &client);
    needed.right = client.right;
    DrawTextW(dc, threewire::win32::Widen(label.text).c_str(), -1, &needed,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    EXPECT_LE(needed.right, client.right);
    EXPECT_LE(needed.bottom, client.bottom);
    EXPECT_EQ(needed.bottom / metrics.tmHeight, two_lines.contains(label.name) ? 2 : 1);
  }
  ReleaseDC(form_, dc);
}

// Labels lie beneath the controls they touch, so a click where they meet reaches the control.
TEST_F(Form1Test, ClickWhereALabelTouchesAControlReachesTheControl) {
  RECT label, button, shared;
  GetWindowRect(Control("Label1_36"), &label);
  GetWindowRect(Control("Command9"), &button);
  ASSERT_TRUE(IntersectRect(&shared, &label, &button));
  EXPECT_EQ(WindowFromPoint({shared.left, shared.top}), Control("Command9"));
}

TEST_F(Form1Test, ClientAreaHasTheLayoutsSizeAtTheScreensDpi) {
  const UINT dpi = GetDpiForWindow(form_);
  ASSERT_TRUE(dpi == 96 || dpi == 144) << dpi;
  RECT client;
  GetClientRect(form_, &client);
  EXPECT_EQ(std::pair(client.right, client.bottom),
            dpi == 96 ? std::pair(317l, 349l) : std::pair(476l, 524l));
}

// The metafile records the drawing's bounds in pixels of its reference device, the screen.
TEST_F(Form1Test, PrintsTheWindowAtItsRealSizeTenMillimetresFromTheCorner) {
  const HDC screen = GetDC(nullptr);
  const HDC recorder = CreateEnhMetaFileW(screen, nullptr, nullptr, nullptr);
  threewire::win32::PrintWindowTo(form_, recorder);
  const HENHMETAFILE metafile = CloseEnhMetaFile(recorder);
  ENHMETAHEADER header;
  ASSERT_TRUE(GetEnhMetaFileHeader(metafile, sizeof header, &header));
  const RECTL& drawn = header.rclBounds;  // inclusive
  const auto mm = [screen](LONG pixels, int axis) {
    return pixels * 25.4 / GetDeviceCaps(screen, axis);
  };
  EXPECT_NEAR(mm(drawn.left, LOGPIXELSX), 10, 0.3);
  EXPECT_NEAR(mm(drawn.top, LOGPIXELSY), 10, 0.3);
  EXPECT_NEAR(mm(drawn.right + 1 - drawn.left, LOGPIXELSX), 83.9, 0.3);
  EXPECT_NEAR(mm(drawn.bottom + 1 - drawn.top, LOGPIXELSY), 92.3, 0.3);
  DeleteEnhMetaFile(metafile);
  ReleaseDC(nullptr, screen);
}

// A printer's resolution differs from the screen's, in each direction, and its printable area
// starts inside the paper. The window at 144 dpi, rounded to whole pixels, is 0.1 mm taller than
// at 96.
TEST(PagePlacement, TrueSizeTenMillimetresFromThePapersCorner) {
  const RECT page = threewire::win32::PagePlacement({476, 524}, 144, {600, 300}, {100, 50});
  EXPECT_NEAR((page.left + 100) * 25.4 / 600, 10, 0.1);
  EXPECT_NEAR((page.top + 50) * 25.4 / 300, 10, 0.1);
  EXPECT_NEAR((page.right - page.left) * 25.4 / 600, 83.9, 0.2);
  EXPECT_NEAR((page.bottom - page.top) * 25.4 / 300, 92.3, 0.2);
}

}  // namespace

int main(int argc, char** argv) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
