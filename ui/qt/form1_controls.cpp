// SPDX-License-Identifier: MIT
#include "form1_controls.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

using threewire::form::Control;
using threewire::form::ControlKind;
using threewire::form::Face;

// The window was drawn for the metrics of a Song (Ming) face. Only the installed ones are asked
// for: a family that is missing sends the toolkit through a slow search for fallbacks, once for
// every font. They are looked up among the installed families by name, as hasFamily() would first
// resolve each name through a fontconfig match, a quarter of the start-up's work.
const QStringList& SongFamilies() {
  static const QStringList installed = [] {
    const QStringList available = QFontDatabase::families();
    QStringList families;
    for (const std::string_view name :
         threewire::form::SongFamilies(threewire::form::Toolkit::kQt)) {
      if (available.contains(FromUtf8(name))) families << FromUtf8(name);
    }
    return families;
  }();
  return installed;
}

QWidget* NewControl(const Control& control, QWidget* parent) {
  const QString text = FromUtf8(control.text);
  switch (control.kind) {
    case ControlKind::kFrame:
      return new QGroupBox(text, parent);
    case ControlKind::kLabel: {
      auto* label = new QLabel(text, parent);
      label->setTextFormat(Qt::PlainText);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      label->setWordWrap(true);
      return label;
    }
    case ControlKind::kTextBox:
      return new QLineEdit(text, parent);
    case ControlKind::kComboBox: {
      auto* combo = new QComboBox(parent);
      combo->setEditable(true);
      combo->setInsertPolicy(QComboBox::NoInsert);
      combo->setCompleter(nullptr);  // "2" stays "2": nothing is completed from the list
      combo->setMaxVisibleItems(20);
      for (const std::string_view wire : threewire::form::WireDiameters()) {
        combo->addItem(FromUtf8(wire));
      }
      combo->setEditText(text);
      return combo;
    }
    case ControlKind::kButton: {
      auto* button = new QPushButton(text, parent);
      button->setAutoDefault(true);  // Enter presses the button that has the focus
      return button;
    }
    case ControlKind::kOutput: {
      // Text on whatever lies beneath it, as a label, but one a screen reader and the keyboard
      // reach and whose digits can be selected and copied.
      auto* output = new QLineEdit(text, parent);
      output->setReadOnly(true);
      output->setFrame(false);
      QPalette palette = output->palette();
      palette.setColor(QPalette::Base, Qt::transparent);
      output->setPalette(palette);
      return output;
    }
    case ControlKind::kLine: {
      auto* line = new QFrame(parent);
      line->setFrameShape(QFrame::HLine);
      line->setFrameShadow(QFrame::Plain);
      return line;
    }
  }
  return nullptr;
}

void SetForeground(QWidget* control, const threewire::form::Rgb& rgb) {
  const QColor colour(rgb.red, rgb.green, rgb.blue);
  QPalette palette = control->palette();
  palette.setColor(QPalette::Text, colour);
  palette.setColor(QPalette::WindowText, colour);
  control->setPalette(palette);
}

}  // namespace

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QFont SongFont(Face face) {
  QFont font;
  font.setFamilies(SongFamilies());
  font.setPointSizeF(face == Face::kDefault ? threewire::form::kDefaultPoints
                                            : threewire::form::kOwnFacePoints);
  font.setWeight(face == Face::kBold ? QFont::Bold : QFont::Normal);
  return font;
}

QWidget* MakeControl(const Control& control, QWidget* parent) {
  QWidget* widget = NewControl(control, parent);
  widget->setObjectName(FromUtf8(control.name));
  // A frame's caption font is not passed on to the controls inside it.
  widget->setFont(SongFont(control.face));
  if (control.colour) SetForeground(widget, *control.colour);
  const auto [left, top, width, height] = threewire::form::PixelsInParent(control);
  widget->setGeometry(left, top, width, height);
  // Orca lands on an editable combo box's edit field, and on its list once open, which the box's
  // label does not name.
  if (control.tab) widget->setAccessibleName(FromUtf8(threewire::form::AccessibleName(control)));
  if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    combo->lineEdit()->setAccessibleName(widget->accessibleName());
    combo->view()->setAccessibleName(widget->accessibleName());
  }
  // Static labels lie beneath the controls they touch, so a click there reaches the control.
  if (control.kind == ControlKind::kLabel) widget->lower();
  return widget;
}
