// SPDX-License-Identifier: MIT
// The Windows window, driven through its controls: texts set in its boxes, buttons pressed, keys
// given to the window's key handling as its message loop would, messages found and closed.
#include <gtest/gtest.h>
// The common controls need windows.h first.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <set>
#include <string>

#include "form1.h"
#include "form1_layout.h"
#include "print_window.h"
#include "wide_text.h"

namespace {

using threewire::win32::TextOf;

BOOL CALLBACK AppendText(HWND window, LPARAM texts) {
  *reinterpret_cast<std::string*>(texts) += TextOf(window) + "\n";
  return TRUE;
}

// The window's tooltip control, the one top-level window of its class on the thread.
HWND ToolTipControl() {
  HWND found = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM found) {
        wchar_t name[32];
        GetClassNameW(window, name, std::size(name));
        if (std::wstring_view(name) == TOOLTIPS_CLASSW) *reinterpret_cast<HWND*>(found) = window;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// The owner and the text of the last message box the window showed.
std::pair<HWND, std::string> seen_message;

int WINAPI RecordMessage(HWND owner, LPCWSTR text, LPCWSTR, UINT) {
  seen_message = {owner, threewire::win32::Narrow(text)};
  return IDOK;
}

class Form1Test : public testing::Test {
 protected:
  void SetUp() override { ShowWindow(form_, SW_SHOWNORMAL); }
  // Destroying the window posts the quit message, which would end the next test's message box.
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
  // What the message loop does with a key: the window's own handling, else the focused control.
  void Key(UINT message, WPARAM key) const {
    MSG msg{GetFocus(), message, key, 0};
    if (!threewire::win32::HandleForm1Keys(form_, msg)) DispatchMessageW(&msg);
  }
  std::string ToolTip(std::string_view name) const {
    wchar_t text[200] = L"";
    TTTOOLINFOW tool{sizeof tool};
    tool.hwnd = form_;
    tool.uId = reinterpret_cast<UINT_PTR>(Control(name));
    tool.lpszText = text;
    SendMessageW(ToolTipControl(), TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
    return threewire::win32::Narrow(text);
  }
  std::string TextsOfAllControls() const {
    std::string texts;
    EnumChildWindows(form_, AppendText, reinterpret_cast<LPARAM>(&texts));
    return texts;
  }

  HWND form_ = threewire::win32::CreateForm1(GetModuleHandleW(nullptr));
};

// The worked examples of the M value; the M box's tooltip then gives the converged M.
TEST_F(Form1Test, MValueOfTheWorkedExamples) {
  const struct {
    const char *inputs[5], *lead_angle, *m;
  } cases[] = {
      {{"1.5", "1", "9.026", "0.866", "60"}, "3.028", " 10.327"},
      {{"6", "3", "36", "3.106", "30"}, "9.043", " 40.048"},
      {{"2", "4", "18.701", "1.157", "60"}, "7.754", " 20.456"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.m);
    for (int i = 0; const char* box : {"txtt", "txtn", "txtd2", "txtd0", "txtr"}) {
      Type(box, c.inputs[i++]);
    }
    Click("Command101");
    EXPECT_EQ(Text("Text101") + Text("txtm"), std::string(c.lead_angle) + c.m);
    EXPECT_TRUE(ToolTip("txtm").starts_with("迭代收敛解：M = ")) << ToolTip("txtm");
  }
}

// 显示 pressed with Enter, as it has the focus; then a digit typed into the result box.
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
}

// Without a profile angle the M calculator fails first; the converged M's tooltip goes with it.
TEST_F(Form1Test, FailureChangesNoBoxAndNamesTheBoxToCheck) {
  for (const auto [box, text] :
       {std::pair{"txtt", "1.5"}, {"txtn", "1"}, {"txtd2", "9"}, {"txtr", "60"}}) {
    Type(box, text);
  }
  Click("Command101");
  Type("txtr", "");
  const std::string before = TextsOfAllControls();
  seen_message = {};
  threewire::win32::message_box = RecordMessage;
  Click("Command101");
  EXPECT_EQ(seen_message.first, form_);
  EXPECT_NE(seen_message.second.find("“输入牙形角”"), std::string::npos) << seen_message.second;
  EXPECT_EQ(TextsOfAllControls(), before);
  EXPECT_EQ(ToolTip("txtm"), "");
}

// Measured in the Song face the window shows: each caption within its label, on one line, or on
// the two lines that the four tall labels were drawn for.
TEST_F(Form1Test, CaptionsFitTheirLines) {
  const std::set<std::string_view> two_lines = {"Label1_37", "Label1_38", "Label1_42", "Label5"};
  const HDC dc = GetDC(form_);
  for (const auto& label : threewire::form::Controls()) {
    if (label.kind != threewire::form::ControlKind::kLabel) continue;
    SCOPED_TRACE(label.name);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(Control(label.name), WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    RECT client, needed{};
    GetClientRect(Control(label.name), &client);
    needed.right = client.right;
    DrawTextW(dc, threewire::win32::Widen(label.text).c_str(), -1, &needed,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    EXPECT_LE(needed.right, client.right);
    EXPECT_LE(needed.bottom, client.bottom);
    EXPECT_EQ(needed.bottom / metrics.tmHeight, two_lines.contains(label.name) ? 2 : 1);
  }
  ReleaseDC(form_, dc);
}

TEST_F(Form1Test, ClientAreaHasTheLayoutsSizeAtTheScreensDpi) {
  const UINT dpi = GetDpiForWindow(form_);
  RECT client;
  GetClientRect(form_, &client);
  EXPECT_EQ(std::tuple(dpi, client.right, client.bottom),
            dpi == 96 ? std::tuple(96u, 317l, 349l) : std::tuple(144u, 476l, 524l));
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

}  // namespace

int main(int argc, char** argv) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
