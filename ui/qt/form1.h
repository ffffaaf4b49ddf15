// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <string_view>
#include <unordered_map>

#include "form1_handlers.h"
#include "number_locale.h"

class QComboBox;
class QLineEdit;
class QPushButton;

// The calculator's only window: the best-wire-diameter calculator above, the M-value calculator
// below, a note and a welcome line at the bottom, and the inspector's panel to their right. The
// texts of its boxes are the program's only
// state; each handler reads the boxes its shared handler names, runs it, and shows what it says.
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
  void Judge_Click();

  void Run(const threewire::form::Handler& handler);
  void Show(const threewire::form::HandlerOutcome& outcome);
  void ShowFailure(const threewire::form::FailureMessage& message);
  QString TextOf(std::string_view box) const;
  template <class Widget>
  Widget* Made(std::string_view name) const;

  // The user's number settings, which the strict readings and fixed writings follow.
  threewire::NumberLocale locale_;
  // Every control by its name in the layout table, as it was made.
  std::unordered_map<std::string_view, QWidget*> controls_;
  QLineEdit* Text8_ = nullptr;
  QLineEdit* txtm_ = nullptr;
  QComboBox* txtd0_ = nullptr;
  QPushButton* Command9_ = nullptr;
  QPushButton* Command101_ = nullptr;
  QPushButton* Command7_ = nullptr;
  QPushButton* judge_ = nullptr;
};
