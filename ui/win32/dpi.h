// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include "later_windows.h"

namespace threewire::win32 {

// The layout table's pixels are 1/96 inch; on the window's screen they are this many pixels.
inline int Scale(HWND window, int pixels_at_96_dpi) {
  return MulDiv(pixels_at_96_dpi, static_cast<int>(DpiOf(window)), 96);
}

}  // namespace threewire::win32
