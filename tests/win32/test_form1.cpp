// SPDX-License-Identifier: MIT
// The Windows window, driven through its controls: texts set in its boxes, buttons pressed, texts
// read back, the failure message caught on its way to the screen.
#include <gtest/gtest.h>
// The common controls need windows.h first.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <array>
#include <set>
#include <string>

#include "form1.h"
#include "form1_layout.h"
#include "print_window.h"
#include "wide_text.h"

namespace {

BOOL CALLBACK AppendText(HWND window, LPARAM texts) {
  *reinterpret_cast<std::string*>(texts) += threewire::win32::TextOf(window) + "\n";
  return TRUE;
}

// The window's tooltip control, the one top-level window of its class in this process.
HWND ToolTipControl() {
  HWND window = nullptr;
  DWORD process = 0;
  while ((window = FindWindowExW(nullptr, window, TOOLTIPS_CLASSW, nullptr)) &&
         (GetWindowThreadProcessId(window, &process), process != GetCurrentProcessId())) {
  }
  return window;
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
  void TearDown() override { DestroyWindow(form_); }

  HWND Control(std::string_view name) const { return threewire::win32::ControlHandle(form_, name); }
  std::string Text(std::string_view name) const { return threewire::win32::TextOf(Control(name)); }
  void Type(std::string_view box, std::string_view text) const {
    threewire::win32::SetText(Control(box), text);
  }
  void Click(std::string_view button) const { SendMessageW(Control(button), BM_CLICK, 0, 0); }
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

// The worked examples; the M box's tooltip then gives the converged M. Text8 shows three
// decimals of what is written into it, by 显示 (a miniature pitch's best wire, whose 15-digit text
// has an exponent) or by the user.
TEST_F(Form1Test, BothCalculatorsAnswerTheirButtons) {
  const std::pair<std::array<const char*, 5>, std::string> cases[] = {
      {{"1.5", "1", "9.026", "0.866", "60"}, "3.028 10.327"},
      {{"6", "3", "36", "3.106", "30"}, "9.043 40.048"},
      {{"2", "4", "18.701", "1.157", "60"}, "7.754 20.456"},
  };
  for (const auto& [inputs, shown] : cases) {
    for (int i = 0; const char* box : {"txtt", "txtn", "txtd2", "txtd0", "txtr"})
      Type(box, inputs[i++]);
    Click("Command101");
    EXPECT_EQ(Text("Text101") + Text("txtm"), shown);
    EXPECT_TRUE(ToolTip("txtm").starts_with("迭代收敛解：M = ")) << ToolTip("txtm");
  }
  Type("Text6", "0.125");
  Type("Text7", "60");
  Click("Command9");
  EXPECT_EQ(Text("Text8"), "0.072");  // 7.21681402353375E-02 before Text8 rounds it
  Type("Text8", "5");
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

// At the screen's DPI the client area has the layout's size, 317 x 349 at 96 dpi. Measured in the
// Song face the window shows, each caption lies within its label, on one line, or on the two lines
// that the four tall labels were drawn for.
TEST_F(Form1Test, ClientAreaAndCaptionsFitTheScreensDpi) {
  RECT client;
  GetClientRect(form_, &client);
  EXPECT_EQ(std::pair(client.right, client.bottom),
            GetDpiForWindow(form_) == 96 ? std::pair(317l, 349l) : std::pair(476l, 524l));
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

// Recorded in a metafile, whose bounds are in pixels of its reference device, the screen, the
// picture lies 10 mm from the paper's corner at the window's real size, 317 x 349 pixels at 96 dpi
// (84 x 92 mm): the window's own and, when the screen has more, one of a program that knows no DPI
// but 96's.
TEST_F(Form1Test, PrintsTheWindowAtItsRealSizeTenMillimetresFromTheCorner) {
  const auto awareness = SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_UNAWARE);
  const HWND unaware = threewire::win32::CreateForm1(GetModuleHandleW(nullptr));
  SetThreadDpiAwarenessContext(awareness);
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  const auto mm = [dpi](LONG pixels) { return MulDiv(pixels, 254, 10 * dpi); };
  for (const HWND window : {form_, unaware}) {
    const HDC recorder = CreateEnhMetaFileW(screen, nullptr, nullptr, nullptr);
    threewire::win32::PrintWindowTo(window, recorder);
    const HENHMETAFILE metafile = CloseEnhMetaFile(recorder);
    ENHMETAHEADER header{};
    GetEnhMetaFileHeader(metafile, sizeof header, &header);
    const RECTL& drawn = header.rclBounds;  // inclusive; none drawn: {0, 0, -1, -1}
    EXPECT_EQ((std::array{mm(drawn.left), mm(drawn.top), mm(drawn.right + 1 - drawn.left),
                          mm(drawn.bottom + 1 - drawn.top)}),
              (std::array{10, 10, 84, 92}));
    DeleteEnhMetaFile(metafile);
  }
  ReleaseDC(nullptr, screen);
  DestroyWindow(unaware);
}

}  // namespace

int main(int argc, char** argv) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
