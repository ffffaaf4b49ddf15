// SPDX-License-Identifier: MIT
#pragma once

class QPaintDevice;
class QWidget;

// Paints `window`'s client area onto `device` (a printer, a PDF writer, an image) at its true
// physical size, one device-independent pixel being 1/96 inch, at the top left of the device's
// paintable area. The widgets draw themselves at the device's resolution, so text stays sharp.
void PrintWindow(QWidget& window, QPaintDevice& device);
