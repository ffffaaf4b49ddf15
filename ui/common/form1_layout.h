// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The window Form1 as it was drawn, for every toolkit that builds it: each control's place,
// size, caption, font, colour, tooltip and tab position, and the wire-diameter list. Texts are
// UTF-8. Places and sizes are in twips, 1/1440 inch: 15 twips are one pixel at 96 dpi.
namespace threewire::form {

// kOutput: a result the window writes, a box the user reads and copies but does not type into,
// drawn as text on the window's background.
enum class ControlKind { kFrame, kLabel, kTextBox, kComboBox, kButton, kLine, kOutput };

// kRegular and kBold are the Song face (宋体) at 10.5 pt, GB2312 charset, weight 400 or 700;
// kDefault is the window's own font, the same face at 9 pt.
enum class Face { kDefault, kRegular, kBold };
inline constexpr double kDefaultPoints = 9;
inline constexpr double kOwnFacePoints = 10.5;
inline constexpr int kBoldWeight = 700;

// The windows that build Form1.
enum class Toolkit { kQt, kWin32, kWeb };

// The Song (Ming) faces the window was drawn for, one list for every window, in the order asked
// for; each window takes the entries marked for it.
std::vector<std::string_view> SongFamilies(Toolkit toolkit);

struct Rgb {
  int red, green, blue;
};

struct Control {
  std::string_view name;  // the control's name; an array element as "Label1_36"
  ControlKind kind;
  std::string_view parent;       // the frame it sits in; empty: the window's client area
  int left, top, width, height;  // twips, relative to the parent (a line: from its left end)
  std::string_view text;         // caption, or a box's first text
  Face face = Face::kDefault;
  std::optional<Rgb> colour = std::nullopt;  // text colour; none: the toolkit's own
  std::optional<int> tab = std::nullopt;     // tab position, for controls that take the focus
  std::string_view names = {};               // for a label: the box whose caption it is
  std::string_view tooltip = {};
  std::string_view accessible_name = {};  // for a box that no label names
};

struct PixelRect {
  int left, top, width, height;
};

inline constexpr std::string_view kWindowCaption = "多线螺纹(大螺旋角)三针测量";
// Form1's client area.
inline constexpr int kClientWidthTwips = 4755;
inline constexpr int kClientHeightTwips = 5235;
inline constexpr int kTwipsPerPixel = 15;

// The desktop windows show the inspector's panel to Form1's right: their client area is wider by
// the panel's width, as high as Form1's.
inline constexpr int kPanelWidthTwips = 4230;
inline constexpr int kDesktopClientWidthTwips = kClientWidthTwips + kPanelWidthTwips;

// Form1's controls, frames before what they hold.
std::span<const Control> Controls();

// Form1's controls, then the inspector's panel's: what a desktop window shows. The functions below
// know the panel's controls too.
std::span<const Control> DesktopControls();

// The wire diameters of txtd0's list, written as stored: "0.17", not "0.170".
std::span<const std::string_view> WireDiameters();

const Control& ControlNamed(std::string_view name);

// The caption of the label that names `box`: "输入螺距" for txtt.
std::string_view CaptionOf(std::string_view box);

// What a screen reader names a control: a box the caption of the label beside it (the wire box
// and each of its parts too) or, where no label names it, its own accessible name (the welcome
// note's text is no name), an output of the panel its row and column, and any other control its
// own caption.
std::string AccessibleName(const Control& control);

// The controls that take the focus, in tab order, Form1's then the panel's; the window opens with
// the focus on the first.
std::vector<const Control*> TabOrder();

// The control's place in 96-dpi pixels relative to its parent, cut off at the parent's border
// (Line1 runs past Frame7's right edge); a line is one pixel high.
PixelRect PixelsInParent(const Control& control);

// The same relative to the window's client area, for toolkits whose frames hold no children.
PixelRect PixelsInClientArea(const Control& control);

}  // namespace threewire::form
