// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

#include "failure_message.h"
#include "number_locale.h"

class QComboBox;
class QLineEdit;

// The calculator's only window: the best-wire-diameter calculator above, the M-value calculator
// below, a note and a welcome line at the bottom. The texts of its boxes are the program's only
// state; each handler reads them, calls the calculation core and writes results back.
class Form1 : public QWidget {
  Q_OBJECT

 public:
  explicit Form1(QWidget* parent = nullptr);

  // The window's own font, the Song face at 9 pt. As the application's font it also serves Qt's
  // dialogs, and a box's first layout of its text, which happens before it gets its own font.
  static QFont DefaultFont();

 private:
  void CreateControls();
  void SetTabOrder();
  void ApplyDrawnLook();
  void ConnectHandlers();

  void Command9_Click();
  void Text8_Change();
  void Command101_Click();
  void Command7_Click();

  void ShowFailure(threewire::form::Calculator calculator, threewire::Failure failure);
  QLineEdit* Box(const char* name) const;
  QComboBox* WireDiameterBox() const;

  // The user's number settings, which the strict readings and fixed writings follow.
  threewire::NumberLocale locale_;
};
