// SPDX-License-Identifier: MIT
// The Windows window, driven through its controls: texts set in its boxes, buttons pressed, texts
// read back, the failure message caught on its way to the screen.
#include <gtest/gtest.h>
// The common controls need windows.h first.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>
// clang-format on

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "form1.h"
#include "form1_layout.h"
#include "print_window.h"
#include "wide_text.h"

namespace {

using namespace threewire::win32;

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
  seen_message = {owner, Narrow(text)};
  return IDOK;
}

// The user's decimal separator, which the window's strict readings and fixed writings follow.
char UserDecimalSeparator() {
  wchar_t separator[8];
  GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, std::size(separator));
  return Narrow(separator).front();
}

// A number text written with the user's decimal separator: "0.125" is "0,125" in Germany.
std::string Local(std::string text) {
  std::ranges::replace(text, '.', UserDecimalSeparator());
  return text;
}

using BoxTexts = std::initializer_list<std::pair<const char*, const char*>>;

// The names the windows give their controls for screen readers, from their making on: main puts
// the recorder in place of the accessibility runtime, and each test's window starts with none.
std::map<HWND, std::string> given_names;

void RecordName(HWND control, const GUID& property, std::string_view text) {
  if (property == PROPID_ACC_NAME) given_names[control] = text;
}

class Form1Test : public testing::Test {
 protected:
  void SetUp() override { ShowWindow(form_, SW_SHOWNORMAL); }
  void TearDown() override {
    DestroyWindow(form_);
    message_box = shown_message_box_;
    given_names.clear();
  }

  HWND Control(std::string_view name) const { return ControlHandle(form_, name); }
  std::string Text(std::string_view name) const { return TextOf(Control(name)); }
  void Type(BoxTexts texts) const {
    for (const auto& [box, text] : texts) SetText(Control(box), text);
  }
  void Click(std::string_view button) const { SendMessageW(Control(button), BM_CLICK, 0, 0); }
  std::string ToolTip(std::string_view name) const {
    wchar_t text[200] = L"";
    TTTOOLINFOW tool{sizeof tool, 0,  form_, reinterpret_cast<UINT_PTR>(Control(name)),
                     {},          {}, text};
    SendMessageW(ToolTipControl(), TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
    return Narrow(text);
  }
  std::string TextsOfAllControls() const {
    std::string texts;
    for (const auto& control : threewire::form::DesktopControls()) {
      texts += Text(control.name) + "\n";
    }
    return texts;
  }

  HWND form_ = CreateForm1(GetModuleHandleW(nullptr));
  const decltype(message_box) shown_message_box_ = message_box;
};

// A worked example of each calculator, as the window reads and shows it (what the handlers make
// of other texts is tested once, without a window); the M box's tooltip then gives the converged
// M. Text8 shows three decimals of what is written into it, by 显示 (a miniature pitch's best wire,
// whose 15-digit text has an exponent) or by the user. The M calculator reads a point whatever the
// user's settings; the lead angle and the best wire are written, and the best wire's texts read,
// their way.
TEST_F(Form1Test, BothCalculatorsAnswerTheirButtons) {
  Type({{"txtt", "6"}, {"txtn", "3"}, {"txtd2", "36"}, {"txtd0", "3.106"}, {"txtr", "30"}});
  Click("Command101");
  EXPECT_EQ(Text("Text101") + Text("txtm"), Local("9.043") + " 40.048");
  EXPECT_TRUE(ToolTip("txtm").starts_with("迭代收敛解：M = ")) << ToolTip("txtm");
  Type({{"Text6", Local("0.125").c_str()}, {"Text7", "60"}});
  Click("Command9");
  EXPECT_EQ(Text("Text8"), Local("0.072"));  // 7.21681402353375E-02 before Text8 rounds it
  Type({{"Text8", "5"}});
  EXPECT_EQ(Text("Text8"), Local("5.000"));
}

// Without a profile angle the M calculator fails first; the converged M's tooltip goes with it.
TEST_F(Form1Test, FailureChangesNoBoxAndNamesTheBoxToCheck) {
  Type({{"txtt", "1.5"}, {"txtn", "1"}, {"txtd2", "9"}, {"txtr", "60"}});
  Click("Command101");
  Type({{"txtr", ""}});
  const std::string before = TextsOfAllControls();
  message_box = RecordMessage;
  Click("Command101");
  EXPECT_EQ(seen_message.first, form_);
  EXPECT_NE(seen_message.second.find("“输入牙形角”"), std::string::npos) << seen_message.second;
  EXPECT_EQ(TextsOfAllControls(), before);
  EXPECT_EQ(ToolTip("txtm"), "");
}

// Ctrl+A selects a box's whole text; AltGr+A, which Windows reports as Ctrl+Alt+A, is left to
// the keyboard layout, which may type a letter with it.
TEST_F(Form1Test, CtrlASelectsAllAndAltGrAIsLeftToTheLayout) {
  const std::pair<std::vector<int>, DWORD> cases[] = {// keys held, the selection's end
                                                      {{VK_CONTROL}, 3},
                                                      {{VK_CONTROL, VK_MENU}, 0},
                                                      {{}, 0}};
  std::array<BYTE, 256> released, keys;
  GetKeyboardState(released.data());
  for (const auto& [held, selection_end] : cases) {
    Type({{"txtt", "1.5"}});
    SendMessageW(Control("txtt"), EM_SETSEL, 0, 0);
    keys = released;
    for (const int key : held) keys[key] = 0x80;
    SetKeyboardState(keys.data());
    MSG message{Control("txtt"), WM_KEYDOWN, 'A', 0};
    HandleForm1Keys(form_, message);
    DWORD start = 1, end = 1;
    SendMessageW(Control("txtt"), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(std::pair(start, end), std::pair(0UL, selection_end)) << held.size() << " keys held";
  }
  SetKeyboardState(released.data());
}

// The names the window gives its controls for screen readers: none while it is made and runs,
// all once a screen reader asks the window for itself.
std::map<HWND, std::string> NamesGiven(HWND form) {
  for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&message);
  EXPECT_TRUE(given_names.empty()) << "named before a screen reader asked";
  SendMessageW(form, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT));
  return given_names;
}

// The window opens with the focus on 打 印, and Tab walks the controls in the layout's order; each
// is named for screen readers as the layout names it, the wire box's edit field too, where the
// focus is while the user types.
TEST_F(Form1Test, TabWalksTheLayoutsOrderEachControlNamed) {
  std::map<HWND, std::string> names = NamesGiven(form_);
  for (const auto* control : threewire::form::TabOrder()) {
    SCOPED_TRACE(control->name);
    MSG tab{GetFocus(), WM_KEYDOWN, VK_TAB};
    const HWND box = IsChild(form_, GetParent(tab.hwnd)) ? GetParent(tab.hwnd) : tab.hwnd;
    ASSERT_EQ(box, Control(control->name)) << "the focus is on " << TextOf(box);
    COMBOBOXINFO wires{sizeof wires};
    const HWND list = GetComboBoxInfo(box, &wires) ? wires.hwndList : box;
    for (const HWND named : {box, tab.hwnd, list})
      EXPECT_EQ(names[named], threewire::form::AccessibleName(*control));
    HandleForm1Keys(form_, tab);
  }
}

// Measured in the Song face the window shows, each label's caption lies within it, on the two
// lines of the labels drawn two lines high (28 px, 420 twips, or more), or on one.
TEST_F(Form1Test, CaptionsFitTheirLines) {
  const HDC dc = GetDC(form_);
  for (const auto& label : threewire::form::DesktopControls()) {
    // The panel's verdict and the line under it are empty until 判定.
    if (label.kind != threewire::form::ControlKind::kLabel || label.text.empty()) continue;
    SCOPED_TRACE(label.name);
    EXPECT_EQ(Text(label.name), label.text);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(Control(label.name), WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    RECT client, needed{};
    GetClientRect(Control(label.name), &client);
    needed.right = client.right;
    DrawTextW(dc, Widen(Text(label.name)).c_str(), -1, &needed,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    EXPECT_LE(needed.right, client.right);
    EXPECT_LE(needed.bottom, client.bottom);
    EXPECT_EQ(needed.bottom / metrics.tmHeight, label.height >= 420 ? 2 : 1);
  }
  ReleaseDC(form_, dc);
}

// The pictures that a page recorded in a metafile stretches onto the paper with StretchDIBits
// (any picture drawn otherwise is drawn pixel for pixel, at the printer's resolution), as records
// of the metafile, which live as long as it does.
std::vector<const EMRSTRETCHDIBITS*> StretchedPictures(HENHMETAFILE page) {
  std::vector<const EMRSTRETCHDIBITS*> pictures;
  EnumEnhMetaFile(
      nullptr, page,
      [](HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM found) CALLBACK {
        if (record->iType == EMR_STRETCHDIBITS) {
          reinterpret_cast<std::vector<const EMRSTRETCHDIBITS*>*>(found)->push_back(
              reinterpret_cast<const EMRSTRETCHDIBITS*>(record));
        }
        return 1;
      },
      &pictures, nullptr);
  return pictures;
}

// Whether the picture, 32 bits a pixel, is of the window's client area alone: whether its four
// corners have the window's background colour.
bool CornersAreWindowBackground(const EMRSTRETCHDIBITS& picture) {
  const auto* pixels = reinterpret_cast<const std::uint32_t*>(
      reinterpret_cast<const char*>(&picture) + picture.offBitsSrc);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const LONG width = picture.cxSrc, last = picture.cxSrc * picture.cySrc - 1;
  return std::ranges::all_of(std::array{0L, width - 1, last - width + 1, last}, [&](LONG at) {
    return (pixels[at] & 0xFFFFFF) ==
           (GetRValue(face) << 16 | GetGValue(face) << 8 | GetBValue(face));
  });
}

// Printed onto a page (recorded in a metafile) for papers of several resolutions and printable
// areas, the window, its own and, when the screen has more than 96 dpi, one of a program that knows
// no DPI but 96's, lies 10 mm from the paper's top and left edges (at the printable area's edge
// where that starts further in) at its true size, 317 x 349 pixels at 96 dpi, as one picture of
// the printer's resolution up to 600 pixels an inch: not the screen's pixels stretched.
TEST_F(Form1Test, PrintsTheWindowAtItsTrueSizeTenMillimetresFromTheCornerAtThePrintersResolution) {
  const std::tuple<const char*, Paper, double> cases[] = {
      // paper, the picture's pixels an inch
      {"600 dpi, printable from the corner", {{600, 600}, {0, 0}}, 600},
      {"600 dpi, printable from 3.4 mm", {{600, 600}, {80, 80}}, 600},
      {"300 dpi, printable from 12.7 mm across, 2.5 mm down", {{300, 300}, {150, 30}}, 300},
      {"1200 dpi: a 600-dpi picture", {{1200, 1200}, {0, 0}}, 600},
  };
  const auto awareness = SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_UNAWARE);
  const std::unique_ptr<HWND__, decltype(&DestroyWindow)> unaware(
      CreateForm1(GetModuleHandleW(nullptr)), &DestroyWindow);
  SetThreadDpiAwarenessContext(awareness);
  const auto release = [](HDC dc) { ReleaseDC(nullptr, dc); };
  const std::unique_ptr<HDC__, decltype(release)> screen(GetDC(nullptr), release);
  for (const auto& [name, paper, picture_dpi] : cases) {
    for (const HWND window : {form_, unaware.get()}) {
      SCOPED_TRACE(std::string(name) + (window == unaware.get() ? ", DPI-unaware" : ""));
      const HDC recorder = CreateEnhMetaFileW(screen.get(), nullptr, nullptr, nullptr);
      PrintWindowTo(window, recorder, paper);
      const std::unique_ptr<HENHMETAFILE__, decltype(&DeleteEnhMetaFile)> page(
          CloseEnhMetaFile(recorder), &DeleteEnhMetaFile);
      const std::vector<const EMRSTRETCHDIBITS*> pictures = StretchedPictures(page.get());
      ASSERT_EQ(pictures.size(), 1u);
      const EMRSTRETCHDIBITS& picture = *pictures.front();
      const double dpi = paper.dpi.cx, margin = 10 / 25.4 * dpi;  // the same dpi down
      EXPECT_NEAR(picture.xDest, std::max(0.0, margin - paper.printable_offset.x), 1);
      EXPECT_NEAR(picture.yDest, std::max(0.0, margin - paper.printable_offset.y), 1);
      // Half a pixel of a 96-dpi screen, which a screen of 144 dpi rounds the window to.
      EXPECT_NEAR(picture.cxDest, 317 / 96.0 * dpi, dpi / 192);
      EXPECT_NEAR(picture.cyDest, 349 / 96.0 * dpi, dpi / 192);
      EXPECT_NEAR(picture.cxSrc * dpi / picture.cxDest, picture_dpi, 1);
      EXPECT_NEAR(picture.cySrc * dpi / picture.cyDest, picture_dpi, 1);
      EXPECT_TRUE(CornersAreWindowBackground(picture));
    }
  }
}
// The inspector's panel as the window runs it (what 判定 computes is tested without a window): at
// 21° of lead a part judged by 判定 or by Enter in one of its boxes, its results in the table;
// a failure shows the message and changes nothing.
TEST_F(Form1Test, PanelJudgesOnItsButtonAndOnEnter) {
  Type({{"txtt", "12"},
        {"txtn", "4"},
        {"txtd0", "6.212"},
        {"txtr", "30"},
        {"d2max", Local("39.800").c_str()},
        {"d2min", Local("39.600").c_str()},
        {"measured_m", Local("48.917").c_str()}});
  for (const char* box : {"", "d2max", "d2min", "measured_m"}) {
    SCOPED_TRACE(box);
    SetText(Control("verdict"), "");
    if (*box) {
      MSG enter{Control(box), WM_KEYDOWN, VK_RETURN, 0};
      EXPECT_TRUE(HandleForm1Keys(form_, enter));
    } else {
      Click("judge");
    }
    EXPECT_EQ(Text("verdict"), "合格");
  }
  EXPECT_EQ(Text("d2_actual") + " " + Text("d2_actual_exact"), Local("39.535 39.650"));

  Type({{"d2min", Local("39.900").c_str()}});
  const std::string before = TextsOfAllControls();
  message_box = RecordMessage;
  Click("judge");
  EXPECT_EQ(seen_message.first, form_);
  EXPECT_TRUE(seen_message.second.starts_with("无法判定。")) << seen_message.second;
  EXPECT_EQ(TextsOfAllControls(), before);
}
}  // namespace

int main(int argc, char** argv) {
  // The run under a decimal-comma locale checks that Wine gave the window one.
  if (std::getenv("THREEWIRE_TEST_LOCALE") && UserDecimalSeparator() != ',') {
    std::fprintf(stderr, "the user's decimal separator is %c, not a comma\n",
                 UserDecimalSeparator());
    return 2;
  }
  accessible_property = RecordName;
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
