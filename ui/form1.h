// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <memory>

#include "failure.h"
#include "number_locale.h"

namespace Ui {
class Form1;
}

// The calculator's only window: the best-wire-diameter calculator above, the M-value calculator
// below, a note and a welcome line at the bottom. The texts of its boxes are the program's only
// state; each handler reads them, calls the calculation core and writes results back.
class Form1 : public QWidget {
  Q_OBJECT

 public:
  explicit Form1(QWidget* parent = nullptr);
  ~Form1() override;

 private:
  void ApplyFontsAndColours();
  void ApplyClassicFrames();
  void ConnectHandlers();

  void Command9_Click();
  void Text8_Change();
  void Command101_Click();
  void Command7_Click();

  void ShowFailure(const QString& what_failed, const QString& reason);

  std::unique_ptr<Ui::Form1> ui_;
  // The user's number settings, which the strict readings and fixed writings follow.
  threewire::NumberLocale locale_;
};
