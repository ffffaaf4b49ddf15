// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

namespace threewire::win32 {

// Draws the window's client area as it is shown onto a printer's page, a metafile or a bitmap, at
// its real size.
void PrintWindowTo(HWND window, HDC device);

// Lets the user choose a printer in the system's print dialog, owned by the window, and prints the
// window there on one page. A printer's failure is the printer's to report.
void PrintWithDialog(HWND window);

}  // namespace threewire::win32
