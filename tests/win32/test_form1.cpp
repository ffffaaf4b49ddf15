// SPDX-License-Identifier: MIT
// The Windows window, driven through its controls: texts set in its boxes, buttons pressed, keys
// given to the window's key handling as its message loop would, messages found and closed.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "form1.h"
#include "form1_layout.h"
#include "print_window.h"
#include "wide_text.h"

namespace {

using threewire::form::ControlKind;
using threewire::form::Controls;
using threewire::win32::ControlHandle;
using threewire::win32::TextOf;

void DrainMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

bool IsBox(ControlKind kind) {
  return kind == ControlKind::kTextBox || kind == ControlKind::kComboBox;
}

// A dialog that appeared owned by some window, as it was found, before it was closed.
struct SeenDialog {
  HWND owner;
  std::string caption;
  std::string text;  // its controls' texts, one after another
};
std::optional<SeenDialog> seen_dialog;

BOOL CALLBACK CloseIfDialog(HWND window, LPARAM) {
  wchar_t name[16];
  GetClassNameW(window, name, std::size(name));
  if (!IsWindowVisible(window) || std::wstring_view(name) != L"#32770") return TRUE;
  seen_dialog = SeenDialog{GetWindow(window, GW_OWNER), TextOf(window), {}};
  EnumChildWindows(
      window,
      [](HWND child, LPARAM) {
        seen_dialog->text += TextOf(child);
        return TRUE;
      },
      0);
  PostMessageW(window, WM_COMMAND, IDOK, 0);
  return FALSE;
}

// Runs inside the modal loop of whatever the click opened.
void CALLBACK LookForDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), CloseIfDialog, 0);
  if (seen_dialog) KillTimer(nullptr, timer);
}

class Form1Test : public testing::Test {
 protected:
  void SetUp() override {
    form_ = threewire::win32::CreateForm1(GetModuleHandleW(nullptr));
    ShowWindow(form_, SW_SHOWNORMAL);
    UpdateWindow(form_);
    DrainMessages();
  }
  void TearDown() override {
    DestroyWindow(form_);
    DrainMessages();
  }

  HWND Control(std::string_view name) const { return ControlHandle(form_, name); }
  std::string Text(std::string_view name) const { return TextOf(Control(name)); }
  void Type(std::string_view box, std::string_view text) const {
    threewire::win32::SetText(Control(box), text);
  }
  void Click(std::string_view button) const { SendMessageW(Control(button), BM_CLICK, 0, 0); }

  // What the message loop does with a key: the window's key handling first.
  void Key(UINT message, WPARAM key) const {
    MSG msg{GetFocus(), message, key, 0};
    if (!threewire::win32::HandleForm1Keys(form_, msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    DrainMessages();
  }
  void PressKey(WPARAM key) const {
    Key(WM_KEYDOWN, key);
    Key(WM_KEYUP, key);
  }

  std::optional<SeenDialog> ClickAndCloseDialog(std::string_view button) const {
    seen_dialog.reset();
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, LookForDialog);
    Click(button);
    KillTimer(nullptr, timer);
    return seen_dialog;
  }

  std::map<std::string, std::string> BoxTexts() const {
    std::map<std::string, std::string> texts;
    for (const auto& control : Controls()) {
      if (IsBox(control.kind)) texts[std::string(control.name)] = Text(control.name);
    }
    return texts;
  }

  // The focused control of the window; a drop-down box's edit field stands for the box.
  std::string FocusedControl() const {
    HWND focus = GetFocus();
    if (GetParent(focus) != form_) focus = GetParent(focus);
    for (const auto& control : Controls()) {
      if (Control(control.name) == focus) return std::string(control.name);
    }
    return "?";
  }

  HWND form_ = nullptr;
};

TEST_F(Form1Test, FreshWindowHasEmptyBoxesButTheWireDiameterAndTheWelcome) {
  for (const auto& [box, text] : BoxTexts()) {
    SCOPED_TRACE(box);
    if (box == "txtd0") {
      EXPECT_EQ(text, "0.118");
    } else if (box == "Text3") {
      EXPECT_NE(text.find("QQ"), std::string::npos);
    } else {
      EXPECT_EQ(text, "");
    }
  }
}

TEST_F(Form1Test, MValueOfTheWorkedExamples) {
  const struct {
    const char *name, *pitch, *starts, *pitch_diameter, *wire, *angle, *lead_angle, *m;
  } cases[] = {
      {"metric M10x1.5", "1.5", "1", "9.026", "0.866", "60", "3.028", " 10.327"},
      {"three-start trapezoidal", "6", "3", "36", "3.106", "30", "9.043", " 40.048"},
      {"four-start 60 degrees", "2", "4", "18.701", "1.157", "60", "7.754", " 20.456"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Type("txtt", c.pitch);
    Type("txtn", c.starts);
    Type("txtd2", c.pitch_diameter);
    Type("txtd0", c.wire);
    Type("txtr", c.angle);
    Click("Command101");
    EXPECT_EQ(Text("Text101"), c.lead_angle);
    EXPECT_EQ(Text("txtm"), c.m);
  }
}

TEST_F(Form1Test, BestWireDiameterShowsThreeDecimals) {
  Type("Text6", "1.5");
  Type("Text7", "60");
  Click("Command9");
  EXPECT_EQ(Text("Text8"), "0.866");  // 0.86601768282405 before Text8 rounds it
}

TEST_F(Form1Test, WhatIsTypedIntoText8IsRoundedAsItIsTyped) {
  const struct {
    const char *typed, *shown;
  } cases[] = {{"5", "5.000"}, {"52", "5.000"}, {"x", "x"}, {"-", "-"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    Type("Text8", "");
    SetFocus(Control("Text8"));
    for (const char* typed = c.typed; *typed; ++typed) Key(WM_CHAR, *typed);
    EXPECT_EQ(Text("Text8"), c.shown);
    DWORD start = 0, end = 0;
    SendMessageW(Control("Text8"), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, std::string_view(c.shown).size());  // the caret at the end
    EXPECT_EQ(end, start);
  }
}

TEST_F(Form1Test, FailureChangesNoBoxAndSaysWhichBoxToCheck) {
  const struct {
    const char *button, *box_caption;
  } cases[] = {{"Command101", "“输入牙形角”"}, {"Command9", "“输入螺纹牙形角”"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.button);
    const auto before = BoxTexts();
    const std::optional<SeenDialog> message = ClickAndCloseDialog(c.button);
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(message->owner, form_);
    EXPECT_EQ(message->caption, TextOf(form_));
    EXPECT_NE(message->text.find(c.box_caption), std::string::npos) << message->text;
    EXPECT_EQ(BoxTexts(), before);
  }
}

TEST_F(Form1Test, FocusStartsOnPrintAndTabFollowsTheTabOrder) {
  std::vector<std::string> expected, walked;
  for (const auto* control : threewire::form::TabOrder()) expected.emplace_back(control->name);
  expected.push_back(expected.front());  // and round again
  for (size_t i = 0; i < expected.size(); ++i) {
    walked.push_back(FocusedControl());
    PressKey(VK_TAB);
  }
  EXPECT_EQ(expected.front(), "Command7");
  EXPECT_EQ(walked, expected);

  BYTE keys[256] = {};
  keys[VK_SHIFT] = 0x80;
  SetKeyboardState(keys);
  SetFocus(Control("Command7"));
  PressKey(VK_TAB);
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(FocusedControl(), expected[expected.size() - 2]);
}

TEST_F(Form1Test, EnterAndSpacePressTheFocusedButton) {
  for (const WPARAM key : {VK_RETURN, VK_SPACE}) {
    SCOPED_TRACE(key);
    Type("Text6", "1.5");
    Type("Text7", "60");
    Type("Text8", "");
    SetFocus(Control("Command9"));
    PressKey(key);
    EXPECT_EQ(Text("Text8"), "0.866");
  }
}

// The window selects the text itself: not every edit control does it on Ctrl+A.
TEST_F(Form1Test, CtrlASelectsTheWholeTextOfEveryBox) {
  BYTE keys[256] = {};
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  for (const auto& control : Controls()) {
    if (!IsBox(control.kind)) continue;
    SCOPED_TRACE(control.name);
    Type(control.name, "12.5");
    SetFocus(Control(control.name));
    HWND edit = GetFocus();
    SendMessageW(edit, EM_SETSEL, 1, 1);
    MSG ctrl_a{edit, WM_KEYDOWN, 'A', 0};
    EXPECT_TRUE(threewire::win32::HandleForm1Keys(form_, ctrl_a));
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, static_cast<DWORD>(GetWindowTextLengthW(edit)));
  }
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
}

// In the Song face the window shows, every caption stays within its control, on one line, or on
// the two lines that the four tall labels were drawn for.
TEST_F(Form1Test, CaptionsFitTheirLines) {
  const std::set<std::string_view> two_lines = {"Label1_37", "Label1_38", "Label1_42", "Label5"};
  const HDC dc = GetDC(form_);
  for (const auto& control : Controls()) {
    if (control.kind != ControlKind::kLabel && control.kind != ControlKind::kButton) continue;
    SCOPED_TRACE(control.name);
    HWND window = Control(control.name);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    RECT client, needed{0, 0, 0, 0};
    GetClientRect(window, &client);
    needed.right = client.right;
    const std::wstring caption = threewire::win32::Widen(TextOf(window));
    DrawTextW(dc, caption.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    EXPECT_LE(needed.right, client.right);
    EXPECT_LE(needed.bottom, client.bottom);
    EXPECT_EQ(needed.bottom / metrics.tmHeight, two_lines.contains(control.name) ? 2 : 1);
  }
  ReleaseDC(form_, dc);
}

// Labels lie beneath the boxes and buttons they touch, so a click there reaches the control.
TEST_F(Form1Test, PointsWhereALabelTouchesAControlBelongToTheControl) {
  int overlaps = 0;
  for (const auto* control : threewire::form::TabOrder()) {
    for (const auto& label : Controls()) {
      if (label.kind != ControlKind::kLabel) continue;
      RECT a, b, shared;
      GetWindowRect(Control(control->name), &a);
      GetWindowRect(Control(label.name), &b);
      if (!IntersectRect(&shared, &a, &b)) continue;
      SCOPED_TRACE(std::string(label.name) + " on " + std::string(control->name));
      ++overlaps;
      HWND hit = WindowFromPoint({shared.left, shared.top});
      if (GetParent(hit) != form_) hit = GetParent(hit);
      EXPECT_EQ(hit, Control(control->name));
    }
  }
  EXPECT_GT(overlaps, 0);
}

TEST_F(Form1Test, ClientAreaHasTheLayoutsSizeAtTheScreensDpi) {
  const std::map<UINT, SIZE> client_by_dpi = {{96, {317, 349}}, {144, {476, 524}}};
  const UINT dpi = GetDpiForWindow(form_);
  ASSERT_TRUE(client_by_dpi.contains(dpi)) << dpi;
  RECT client;
  GetClientRect(form_, &client);
  EXPECT_EQ(client.right, client_by_dpi.at(dpi).cx);
  EXPECT_EQ(client.bottom, client_by_dpi.at(dpi).cy);
  EXPECT_FALSE(GetWindowLongW(form_, GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX));
}

// 317 x 349 pixels at 96 dpi are 83.9 x 92.3 mm, 10 mm from the paper's top left corner.
TEST(PagePlacement, TrueSizeTenMillimetresFromThePapersCorner) {
  const struct {
    const char* name;
    SIZE client;
    UINT window_dpi;
    SIZE device_dpi;
    POINT printable_offset;
  } cases[] = {
      {"600 dpi laser, 4.2 mm unprintable", {317, 349}, 96, {600, 600}, {100, 100}},
      {"window at 150 %", {476, 524}, 144, {600, 600}, {100, 100}},
      {"300 x 600 dpi, borderless", {317, 349}, 96, {300, 600}, {0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const RECT page =
        threewire::win32::PagePlacement(c.client, c.window_dpi, c.device_dpi, c.printable_offset);
    const auto mm = [](double pixels, LONG dpi) { return pixels * 25.4 / dpi; };
    EXPECT_NEAR(mm(page.left + c.printable_offset.x, c.device_dpi.cx), 10, 0.1);
    EXPECT_NEAR(mm(page.top + c.printable_offset.y, c.device_dpi.cy), 10, 0.1);
    EXPECT_NEAR(mm(page.right - page.left, c.device_dpi.cx), 83.9, 0.15);
    EXPECT_NEAR(mm(page.bottom - page.top, c.device_dpi.cy), 92.3, 0.15);
  }
}

// The metafile records the drawing's bounds in pixels of its reference device, the screen.
TEST_F(Form1Test, PrintsTheWindowAtItsRealSize) {
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

// Dark blue is the colour of the M calculator's boxes, which start empty.
TEST_F(Form1Test, PrintsWhatTheWindowShowsNow) {
  RECT client;
  GetClientRect(form_, &client);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, 2 * client.right, -2 * client.bottom, 1, 32, BI_RGB};
  void* pixels = nullptr;
  const HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  const HDC page = CreateCompatibleDC(nullptr);
  SelectObject(page, bitmap);
  const auto dark_blue_pixels = [&] {
    PatBlt(page, 0, 0, 2 * client.right, 2 * client.bottom, WHITENESS);
    threewire::win32::PrintWindowTo(form_, page);
    GdiFlush();
    const auto* first = static_cast<const DWORD*>(pixels);
    return std::count_if(first, first + 4 * client.right * client.bottom,
                         [](DWORD pixel) { return (pixel & 0xFFFFFF) == 0x0000C0; });
  };
  EXPECT_EQ(dark_blue_pixels(), 0);
  Type("txtm", " 10.327");
  EXPECT_GT(dark_blue_pixels(), 0);
  DeleteDC(page);
  DeleteObject(bitmap);
}

}  // namespace

int main(int argc, char** argv) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
