// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

namespace threewire::win32 {

// Where the window's picture goes on a page, in the device's pixels: 10 mm from the top left
// corner of the paper, whose printable area starts `printable_offset` device pixels inside it, at
// the size the client area has on its screen (`client` pixels at `window_dpi`).
RECT PagePlacement(SIZE client, UINT window_dpi, SIZE device_dpi, POINT printable_offset);

// Draws the window's client area as it is shown onto a printer's page, a metafile or a bitmap, at
// its real size.
void PrintWindowTo(HWND window, HDC device);

// Lets the user choose a printer in the system's print dialog, owned by the window, and prints the
// window there on one page. A printer's failure is the printer's to report.
void PrintWithDialog(HWND window);

}  // namespace threewire::win32
