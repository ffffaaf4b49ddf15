// SPDX-License-Identifier: MIT
#pragma once

class QPaintDevice;
class QWidget;

// Paints Form1, the part of `window`'s client area left of the inspector's panel, onto `device` (a printer, a PDF writer, an image) at its true
// physical size, one device-independent pixel being 1/96 inch, 10 mm from the paper's top and left
// edges, or at the paintable area's edge where that lies further in. The widgets draw themselves at
// the device's resolution, so text stays sharp.
void PrintWindow(QWidget& window, QPaintDevice& device);
