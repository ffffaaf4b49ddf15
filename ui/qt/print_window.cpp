// SPDX-License-Identifier: MIT
#include "print_window.h"

#include <QPagedPaintDevice>
#include <QPaintDevice>
#include <QPainter>
#include <QWidget>
#include <algorithm>

#include "form1_layout.h"

namespace {
// Device-independent pixels per inch: the window's sizes are 15 twips, 1/96 inch, per pixel.
constexpr double kPixelsPerInch = 96.0;
// The picture's distance from the paper's top and left edges, as the Windows program and the web
// page place it too.
constexpr double kMarginMm = 10.0;
constexpr double kMmPerInch = 25.4;

// Where the painter's origin lies on the paper, in the device's pixels: the top left corner of the
// paintable area (the printer's printable area, or the margins the user chose in the dialog).
// A device that is no paper, an image say, is a sheet painted from its corner.
QPoint PaintableAreaOnPaper(const QPaintDevice& device) {
  const auto* paper = dynamic_cast<const QPagedPaintDevice*>(&device);
  return paper ? paper->pageLayout().paintRectPixels(device.logicalDpiX()).topLeft() : QPoint();
}

// The window's top left corner in the painter's coordinates, on a whole device pixel: 10 mm from
// the paper's edges, or at the paintable area's edge where that starts further in.
QPoint PictureOrigin(const QPaintDevice& device) {
  const QPoint paintable = PaintableAreaOnPaper(device);
  const QPointF margin(kMarginMm / kMmPerInch * device.logicalDpiX(),
                       kMarginMm / kMmPerInch * device.logicalDpiY());
  return {std::max(0, margin.toPoint().x() - paintable.x()),
          std::max(0, margin.toPoint().y() - paintable.y())};
}
}  // namespace

void PrintWindow(QWidget& window, QPaintDevice& device) {
  QPainter painter(&device);
  painter.translate(PictureOrigin(device));
  painter.scale(device.logicalDpiX() / kPixelsPerInch, device.logicalDpiY() / kPixelsPerInch);
  const QRect form1(0, 0, threewire::form::kClientWidthTwips / threewire::form::kTwipsPerPixel,
                    threewire::form::kClientHeightTwips / threewire::form::kTwipsPerPixel);
  window.render(&painter, QPoint(), QRegion(form1),
                QWidget::DrawWindowBackground | QWidget::DrawChildren);
}
