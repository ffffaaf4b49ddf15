// SPDX-License-Identifier: MIT
#include "form1_controls.h"

#include <commctrl.h>

#include <cmath>
#include <iterator>

#include "dpi.h"
#include "wide_text.h"

namespace threewire::win32 {

using form::ControlKind;
using form::Face;

WindowKind KindOf(const form::Control& control) {
  switch (control.kind) {
    case ControlKind::kFrame:
      return {WC_BUTTONW, BS_GROUPBOX, 0};
    case ControlKind::kLabel:
      return {WC_STATICW, SS_LEFT | SS_NOPREFIX, 0};  // SS_LEFT wraps
    case ControlKind::kTextBox:
      return {WC_EDITW, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::kComboBox:
      return {WC_COMBOBOXW, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 0};
    case ControlKind::kButton:
      return {WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, 0};
    case ControlKind::kLine:
      return {WC_STATICW, 0, 0};  // empty, filled with the line's colour
    case ControlKind::kOutput:
      // Read-only, so drawn on the window's background, and without an edge.
      return {WC_EDITW, ES_AUTOHSCROLL | ES_READONLY | WS_TABSTOP, 0};
  }
  return {};
}

// The Song face at 9 or 10.5 pt, GB2312. The height asked for is the cell's, not the em's: SimSun's
// cell is its em, so there this is exactly the size in points, and a stand-in Song face with
// taller lines (AR PL UMing under Wine) keeps the line height the layout was drawn for.
FontHandle MakeSongFont(HWND window, Face face) {
  const double points = face == Face::kDefault ? form::kDefaultPoints : form::kOwnFacePoints;
  LOGFONTW font{};
  font.lfHeight = Scale(window, static_cast<int>(std::lround(points * 96 / 72)));
  font.lfWeight = face == Face::kBold ? form::kBoldWeight : FW_NORMAL;
  font.lfCharSet = GB2312_CHARSET;
  Widen(form::SongFamilies(form::Toolkit::kWin32).front()).copy(font.lfFaceName, LF_FACESIZE - 1);
  return FontHandle(CreateFontIndirectW(&font));
}

bool IsOfClass(HWND window, std::wstring_view class_name) {
  wchar_t name[32];
  const int length = GetClassNameW(window, name, std::size(name));
  // Case aside, as Windows compares class names, and whatever the user's language.
  return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, name, length, class_name.data(),
                        static_cast<int>(class_name.size())) == CSTR_EQUAL;
}

// Nothing typed is completed from the list.
void FillWireList(HWND combo) {
  for (const std::string_view wire : form::WireDiameters()) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(wire).c_str()));
  }
  SetText(combo, form::ControlNamed("txtd0").text);
}

}  // namespace threewire::win32
