// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

namespace threewire::win32 {

// A printer's sheet as the window's picture needs it: the printer's pixels an inch, across and
// down, and where its printable area, whose top left corner is the device's origin, starts on the
// paper, in those pixels.
struct Paper {
  SIZE dpi;
  POINT printable_offset;
};

// The sheet that `printer`, a printer's device context, prints on.
Paper PaperOf(HDC printer);

// Draws Form1, the part of the window's client area left of the inspector's panel, as it is shown,
// onto `device`, a printer's page or a metafile
// recording one, for `paper`: at its real size, 10 mm from the paper's top and left edges (at the
// printable area's edge where that lies further in), as a picture of the printer's resolution, up
// to 600 pixels an inch.
void PrintWindowTo(HWND window, HDC device, const Paper& paper);

// Lets the user choose a printer in the system's print dialog, owned by the window, and prints the
// window there on one page. A printer's failure is the printer's to report.
void PrintWithDialog(HWND window);

}  // namespace threewire::win32
