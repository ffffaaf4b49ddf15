// SPDX-License-Identifier: MIT
#include "form1_layout.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>

#include "inspection_panel.h"

namespace threewire::form {
namespace {

using enum ControlKind;
using enum Face;

// The welcome note names the users' chat group where the build was given one, and says plainly
// that there is none otherwise: a made-up number would send users to a stranger's group.
#ifdef THREEWIRE_CHAT_GROUP
constexpr char kWelcomeNote[] = "欢迎加入QQ交流群：" THREEWIRE_CHAT_GROUP;
#else
constexpr char kWelcomeNote[] = "欢迎加入QQ交流群：暂无";
#endif

// The welcome note as a screen reader names it.
constexpr char kWelcomeNoteName[] = "欢迎信息";

constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kDarkBlue{0, 0, 192};
constexpr Rgb kGreen{0, 192, 0};
constexpr Rgb kGrey{128, 128, 128};

// The tooltip of the note that the actual wire should be no thinner than the best one.
constexpr char kActualWireTip[] = "选择的实际三针直径要≥理论三针直径";

// Every control in the order the window creates them; places and sizes in twips.
// clang-format off
constexpr Control kControls[] = {
//   name          kind       parent    left  top   width      height text                                 face      colour     tab names     tooltip         accessible name
    {"Text3",      kTextBox,  "",       570,  4830, 3255,      270,  kWelcomeNote,                        kBold,    kBlue,     30, {},       {},             kWelcomeNoteName},
    {"Frame6",     kFrame,    "",       180,  120,  4335,      1320, "三针直径计算",                      kRegular, {},        18, {}},
    {"Frame7",     kFrame,    "",       180,  1560, 4335,      2745, "多线螺纹(大螺旋角)三针测量M值计算", kRegular, {},        0,  {}},
    {"Label2_5",   kLabel,    "",       690,  4440, 3075,      315,  "注:螺旋角≥3°要用此软件计算.",       kRegular, {},        29, {}},

    // The best wire diameter.
    {"Text6",      kTextBox,  "Frame6", 990,  360,  690,       285,  "",                                  kDefault, {},        22, {}},
    {"Text7",      kTextBox,  "Frame6", 990,  855,  690,       285,  "",                                  kDefault, {},        21, {}},
    {"Text8",      kTextBox,  "Frame6", 3150, 360,  825,       285,  "",                                  kDefault, {},        20, {}},
    {"Command9",   kButton,   "Frame6", 3450, 900,  690,       285,  "显示",                              kDefault, {},        19, {}},
    {"Label1_36",  kLabel,    "Frame6", 1860, 930,  1665,      195,  "实际三针≥理论三针",                 kDefault, kGreen,    28, {},       kActualWireTip},
    {"Label1_37",  kLabel,    "Frame6", 2340, 315,  735,       420,  "显示理论三针直径",                  kDefault, {},        27, "Text8"},
    {"Label1_38",  kLabel,    "Frame6", 225,  810,  735,       420,  "输入螺纹牙形角",                    kDefault, {},        26, "Text7"},
    {"Label1_39",  kLabel,    "Frame6", 180,  405,  780,       285,  "输入螺距",                          kDefault, {},        25, "Text6"},
    {"Label1_40",  kLabel,    "Frame6", 1710, 405,  510,       240,  "mm/牙",                             kDefault, {},        24, {}},
    {"Label1_41",  kLabel,    "Frame6", 1710, 855,  240,       195,  "°",                                 kDefault, {},        23, {}},

    // The M value.
    {"txtt",       kTextBox,  "Frame7", 810,  810,  765,       315,  "",                                  kBold,    kDarkBlue, 9,  {}},
    {"txtn",       kTextBox,  "Frame7", 3330, 1350, 765,       315,  "",                                  kBold,    kDarkBlue, 8,  {}},
    {"txtd2",      kTextBox,  "Frame7", 3090, 360,  1035,      315,  "",                                  kBold,    kDarkBlue, 7,  {}},
    {"txtr",       kTextBox,  "Frame7", 3330, 870,  765,       315,  "",                                  kBold,    kDarkBlue, 6,  {}},
    {"txtm",       kTextBox,  "Frame7", 1620, 2220, 1365,      315,  "",                                  kBold,    kDarkBlue, 5,  {}},
    {"Command101", kButton,   "Frame7", 3300, 1890, 795,       345,  "显示M值",                           kDefault, {},        4,  {}},
    {"Text101",    kTextBox,  "Frame7", 360,  2220, 1035,      315,  "",                                  kBold,    kDarkBlue, 3,  {}},
    {"txtd0",      kComboBox, "Frame7", 1170, 1350, 1035,      300,  "0.118",                             kDefault, {},        2,  {}},
    {"Command7",   kButton,   "Frame7", 3300, 2310, 810,       285,  "打 印",                             kDefault, {},        1,  {}},
    {"Line1",      kLine,     "Frame7", 30,   1800, 4740 - 30, 0,    "",                                  kDefault, kGrey,     {}, {}},
    {"Label1_42",  kLabel,    "Frame7", 330,  750,  495,       525,  "输入螺距",                          kRegular, {},        17, "txtt"},
    {"Label2_4",   kLabel,    "Frame7", 2280, 1350, 945,       255,  "输入线数",                          kRegular, {},        16, "txtn"},
    {"Label4",     kLabel,    "Frame7", 2190, 870,  1065,      285,  "输入牙形角",                        kRegular, {},        15, "txtr"},
    {"Label5",     kLabel,    "Frame7", 300,  1290, 855,       435,  "输入实际三针直径",                  kRegular, {},        14, "txtd0"},
    {"Label6",     kLabel,    "Frame7", 2130, 1950, 435,       285,  "M值",                               kRegular, {},        13, "txtm"},
    {"Label7",     kLabel,    "Frame7", 480,  1920, 975,       285,  "螺纹升角",                          kRegular, {},        12, "Text101"},
    {"Label1_43",  kLabel,    "Frame7", 300,  420,  2865,      240,  "输入外螺纹理论中径值(不含公差)",    kDefault, {},        11, "txtd2"},
    {"Label1_44",  kLabel,    "Frame7", 1650, 870,  510,       240,  "mm/牙",                             kDefault, {},        10, {}},
};
// clang-format on

// The inspector's panel, to Form1's right in the desktop windows: a frame as high as Form1's
// frames reach, its boxes with their captions and units, 判定, a table of the results by both
// methods, the verdict and the line under it. Its texts are the panel's own.
constexpr const PanelItem& kUpper = kPanelInputs[0];
constexpr const PanelItem& kLower = kPanelInputs[1];
constexpr const PanelItem& kMeasured = kPanelInputs[2];
constexpr const PanelRow& kOneStepRow = kPanelRows[0];
constexpr const PanelRow& kConvergedRow = kPanelRows[1];

// clang-format off
constexpr Control kPanel[] = {
//   name                    kind       parent   left  top   width height text                       face      colour     tab names
    {"panel",                kFrame,    "",      4755, 120,  4050, 4995, kPanelTitle,                kRegular, {},        {}, {}},
    {"d2max_caption",        kLabel,    "panel", 180,  405,  960,  285,  kUpper.caption,             kRegular, {},        {}, kUpper.name},
    {kUpper.name,            kTextBox,  "panel", 1200, 360,  1800, 315,  "",                         kBold,    kDarkBlue, 31, {}},
    {"d2max_unit",           kLabel,    "panel", 3075, 405,  450,  240,  "mm",                       kDefault, {},        {}, {}},
    {"d2min_caption",        kLabel,    "panel", 180,  825,  960,  285,  kLower.caption,             kRegular, {},        {}, kLower.name},
    {kLower.name,            kTextBox,  "panel", 1200, 780,  1800, 315,  "",                         kBold,    kDarkBlue, 32, {}},
    {"d2min_unit",           kLabel,    "panel", 3075, 825,  450,  240,  "mm",                       kDefault, {},        {}, {}},
    {"measured_m_caption",   kLabel,    "panel", 180,  1245, 960,  285,  kMeasured.caption,          kRegular, {},        {}, kMeasured.name},
    {kMeasured.name,         kTextBox,  "panel", 1200, 1200, 1800, 315,  "",                         kBold,    kDarkBlue, 33, {}},
    {"measured_m_unit",      kLabel,    "panel", 3075, 1245, 450,  240,  "mm",                       kDefault, {},        {}, {}},
    {kJudgeButton.name,      kButton,   "panel", 3075, 1680, 795,  345,  kJudgeButton.caption,       kDefault, {},        34, {}},
    {"results_column_0",     kLabel,    "panel", 1380, 2220, 825,  255,  kPanelColumns[0],           kDefault, {},        {}, {}},
    {"results_column_1",     kLabel,    "panel", 2205, 2220, 825,  255,  kPanelColumns[1],           kDefault, {},        {}, {}},
    {"results_column_2",     kLabel,    "panel", 3030, 2220, 825,  255,  kPanelColumns[2],           kDefault, {},        {}, {}},
    {"results_row_0",        kLabel,    "panel", 180,  2565, 1200, 285,  kOneStepRow.caption,        kDefault, {},        {}, {}},
    {kOneStepRow.cells[0],   kOutput,   "panel", 1380, 2520, 825,  315,  "",                         kBold,    kDarkBlue, 35, {}},
    {kOneStepRow.cells[1],   kOutput,   "panel", 2205, 2520, 825,  315,  "",                         kBold,    kDarkBlue, 36, {}},
    {kOneStepRow.cells[2],   kOutput,   "panel", 3030, 2520, 825,  315,  "",                         kBold,    kDarkBlue, 37, {}},
    {"results_row_1",        kLabel,    "panel", 180,  2955, 1200, 285,  kConvergedRow.caption,      kDefault, {},        {}, {}},
    {kConvergedRow.cells[0], kOutput,   "panel", 1380, 2910, 825,  315,  "",                         kBold,    kDarkBlue, 38, {}},
    {kConvergedRow.cells[1], kOutput,   "panel", 2205, 2910, 825,  315,  "",                         kBold,    kDarkBlue, 39, {}},
    {kConvergedRow.cells[2], kOutput,   "panel", 3030, 2910, 825,  315,  "",                         kBold,    kDarkBlue, 40, {}},
    {kVerdict.name,          kLabel,    "panel", 180,  3390, 3690, 345,  "",                         kBold,    kDarkBlue, {}, {}},
    {kVerdictBasis.name,     kLabel,    "panel", 180,  3780, 3690, 855,  "",                         kDefault, {},        {}, {}},
};
// clang-format on
static_assert(kPanelWidthTwips == kPanel[0].width + kControls[1].left,
              "the panel's frame keeps the margin that Form1's frames keep from its left edge");

// Both tables in one, so that a control's place in it is its number in the window.
constexpr auto kDesktopControls = [] {
  std::array<Control, std::size(kControls) + std::size(kPanel)> all{};
  std::ranges::copy(kPanel, std::ranges::copy(kControls, all.begin()).out);
  return all;
}();

constexpr std::string_view kWireDiameters[] = {
    "0.118", "0.142", "0.17",  "0.185", "0.201", "0.232", "0.25",  "0.26",  "0.291",
    "0.343", "0.402", "0.433", "0.461", "0.511", "0.572", "0.724", "0.742", "0.796",
    "0.866", "1.008", "1.047", "1.157", "1.302", "1.441", "1.553", "1.591", "1.732",
    "1.833", "2.02",  "2.05",  "2.071", "2.217", "2.311", "2.595", "2.886", "3.106",
    "3.177", "3.287", "3.31",  "3.468", "3.55",  "3.58",  "3.666", "4.091", "4.12",
    "4.141", "4.211", "4.4",   "4.773", "5.15",  "6.212"};

constexpr bool TakesFocus(const Control& control) {
  return control.kind == kTextBox || control.kind == kComboBox || control.kind == kButton ||
         control.kind == kOutput;
}

// Every control that takes the focus has a tab position, and the positions given are 0 … N−1,
// each once: Tab walks the focusable ones in that order, the others' places keep the gaps.
constexpr bool TabPositionsAreAPermutation() {
  int given = 0;
  for (const Control& control : kDesktopControls) {
    if (TakesFocus(control) && !control.tab) return false;
    if (control.tab) ++given;
  }
  for (int position = 0; position < given; ++position) {
    if (std::ranges::count(kDesktopControls, std::optional(position), &Control::tab) != 1) {
      return false;
    }
  }
  return true;
}
static_assert(TabPositionsAreAPermutation());

struct SongFamily {
  std::string_view name;
  bool qt, win32, web;  // which windows ask for it
};

// clang-format off
constexpr SongFamily kSongFamilyList[] = {
//   family               Qt     Win32  web
    {"SimSun",            true,  true,  true },  // Windows; a Windows font is one face
    {"宋体",              true,  false, true },  // SimSun by its Chinese name
    {"Songti SC",         false, false, true },  // macOS and iOS
    {"Noto Serif CJK SC", false, false, true },  // Android, most Linux systems (a)
    {"AR PL UMing CN",    true,  false, true },  // Debian's Song face, whose metrics the layout fits
    {"Noto Serif CJK SC", true,  false, false},  // (a)
};
// clang-format on
// (a) In a browser before AR PL UMing, whose bitmaps Chromium draws at these sizes and without
// bold; on the desktop after it, as its lines are too tall for the two-line labels.

}  // namespace

std::span<const Control> Controls() {
  return std::span(kDesktopControls).first(std::size(kControls));
}

std::span<const Control> DesktopControls() { return kDesktopControls; }

std::vector<std::string_view> SongFamilies(Toolkit toolkit) {
  std::vector<std::string_view> families;
  for (const SongFamily& family : kSongFamilyList) {
    const bool asked = toolkit == Toolkit::kQt      ? family.qt
                       : toolkit == Toolkit::kWin32 ? family.win32
                                                    : family.web;
    if (asked) families.push_back(family.name);
  }
  return families;
}

std::span<const std::string_view> WireDiameters() { return kWireDiameters; }

const Control& ControlNamed(std::string_view name) {
  const auto found = std::ranges::find(kDesktopControls, name, &Control::name);
  // Callers ask for the table's own names; any other is a bug, and the WebAssembly build has no
  // exceptions to report it with.
  if (found == std::end(kDesktopControls)) std::abort();
  return *found;
}

std::string_view CaptionOf(std::string_view box) {
  const auto found = std::ranges::find(kDesktopControls, box, &Control::names);
  return found == std::end(kDesktopControls) ? std::string_view() : found->text;
}

std::string AccessibleName(const Control& control) {
  if (!control.accessible_name.empty()) return std::string(control.accessible_name);
  if (auto result = ResultName(control.name)) return *std::move(result);
  const std::string_view caption = CaptionOf(control.name);
  return std::string(caption.empty() ? control.text : caption);
}

std::vector<const Control*> TabOrder() {
  std::vector<const Control*> order;
  for (const Control& control : kDesktopControls) {
    if (TakesFocus(control)) order.push_back(&control);
  }
  std::ranges::sort(order, {}, [](const Control* control) { return *control->tab; });
  return order;
}

PixelRect PixelsInParent(const Control& control) {
  PixelRect rect{control.left / kTwipsPerPixel, control.top / kTwipsPerPixel,
                 control.width / kTwipsPerPixel, std::max(control.height / kTwipsPerPixel, 1)};
  const bool on_window = control.parent.empty();
  const Control* parent = on_window ? nullptr : &ControlNamed(control.parent);
  const int parent_width = on_window ? kDesktopClientWidthTwips : parent->width;
  const int parent_height = on_window ? kClientHeightTwips : parent->height;
  rect.width = std::min(rect.width, parent_width / kTwipsPerPixel - rect.left);
  rect.height = std::min(rect.height, parent_height / kTwipsPerPixel - rect.top);
  return rect;
}

PixelRect PixelsInClientArea(const Control& control) {
  PixelRect rect = PixelsInParent(control);
  if (!control.parent.empty()) {
    const PixelRect frame = PixelsInParent(ControlNamed(control.parent));
    rect.left += frame.left;
    rect.top += frame.top;
  }
  return rect;
}

}  // namespace threewire::form
