// SPDX-License-Identifier: MIT
#include "print_window.h"

#include <QPaintDevice>
#include <QPainter>
#include <QWidget>

namespace {
// Device-independent pixels per inch: the window's sizes are 15 twips, 1/96 inch, per pixel.
constexpr double kPixelsPerInch = 96.0;
}  // namespace

void PrintWindow(QWidget& window, QPaintDevice& device) {
  QPainter painter(&device);
  painter.scale(device.logicalDpiX() / kPixelsPerInch, device.logicalDpiY() / kPixelsPerInch);
  window.render(&painter, QPoint(), QRegion(),
                QWidget::DrawWindowBackground | QWidget::DrawChildren);
}
