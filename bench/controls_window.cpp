// SPDX-License-Identifier: MIT
// The Linux start-up benchmark's goal baseline: the calculator's window with the same controls,
// fonts and wire list, made from the layout table as the program makes them, and nothing else:
// no handlers, tooltips, tab order, style, palette or icon.
#include <QApplication>
#include <QWidget>
#include <unordered_map>

#include "form1_controls.h"
#include "form1_layout.h"

int main(int argc, char* argv[]) {
  using namespace threewire;
  QApplication app(argc, argv);
  QApplication::setFont(SongFont(form::Face::kDefault));
  QWidget window;
  window.setWindowTitle(FromUtf8(form::kWindowCaption));
  window.setFixedSize(form::kDesktopClientWidthTwips / form::kTwipsPerPixel,
                      form::kClientHeightTwips / form::kTwipsPerPixel);
  std::unordered_map<std::string_view, QWidget*> made;
  for (const form::Control& control : form::DesktopControls()) {
    made[control.name] =
        MakeControl(control, control.parent.empty() ? &window : made.at(control.parent));
  }
  window.show();
  return app.exec();
}
