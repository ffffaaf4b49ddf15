// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <string_view>

#include "form1_layout.h"
#include "gdi_objects.h"

// What makes a control of the layout table a Windows control, shared by the window and by the
// start-up benchmark's window of the same controls: its window class and styles, its font, and
// the wire-diameter list.
namespace threewire::win32 {

struct WindowKind {
  const wchar_t* window_class;
  DWORD style;
  DWORD ex_style;
};

WindowKind KindOf(const form::Control& control);

// The Song face at the size and weight of `face`, for `window`'s DPI.
FontHandle MakeSongFont(HWND window, form::Face face);

// Whether `window` is of the window class `class_name`, such as WC_EDITW.
bool IsOfClass(HWND window, std::wstring_view class_name);

// Fills the drop-down box `combo` with the wire diameters; its own text starts as the table's.
void FillWireList(HWND combo);

}  // namespace threewire::win32
