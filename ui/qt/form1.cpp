// SPDX-License-Identifier: MIT
#include "form1.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStyleFactory>
#include <QTimer>

#include "form1_controls.h"
#include "form1_layout.h"
#include "inspection_panel.h"
#include "print_window.h"

namespace {

using threewire::form::Control;
using threewire::form::Face;

std::string Utf8(const QString& text) { return text.toStdString(); }

threewire::NumberLocale UserNumberLocale() {
  const QLocale locale;
  return {Utf8(locale.decimalPoint()), Utf8(locale.groupSeparator())};
}

}  // namespace

Form1::Form1(QWidget* parent) : QWidget(parent), locale_(UserNumberLocale()) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(FromUtf8(threewire::form::kWindowCaption));
  // The icon is read through an image plugin, whose loading would hold the window's first showing
  // back; it follows once the window is on the screen.
  QTimer::singleShot(0, this,
                     [this] { setWindowIcon(QIcon(QStringLiteral(":/icons/threewire.ico"))); });
  // Controls created in their font are laid out once, not once more for every change of font.
  setFont(DefaultFont());
  setFixedSize(threewire::form::kDesktopClientWidthTwips / threewire::form::kTwipsPerPixel,
               threewire::form::kClientHeightTwips / threewire::form::kTwipsPerPixel);
  CreateControls();
  SetTabOrder();
  ApplyDrawnLook();
  ConnectHandlers();
  controls_.at(threewire::form::TabOrder().front()->name)->setFocus();
}

QFont Form1::DefaultFont() { return SongFont(Face::kDefault); }

void Form1::CreateControls() {
  for (const Control& control : threewire::form::DesktopControls()) {
    QWidget* parent = control.parent.empty() ? this : controls_.at(control.parent);
    QWidget* widget = MakeControl(control, parent);
    controls_.emplace(control.name, widget);
    widget->setToolTip(FromUtf8(control.tooltip));
  }
  for (const Control& control : threewire::form::DesktopControls()) {
    if (!control.names.empty()) Made<QLabel>(control.name)->setBuddy(controls_.at(control.names));
  }
  Text8_ = Made<QLineEdit>("Text8");
  txtm_ = Made<QLineEdit>("txtm");
  txtd0_ = Made<QComboBox>("txtd0");
  Command9_ = Made<QPushButton>("Command9");
  Command101_ = Made<QPushButton>("Command101");
  Command7_ = Made<QPushButton>("Command7");
  judge_ = Made<QPushButton>(threewire::form::kJudgeButton.name);
}

// A control made from the table, as the kind of widget its kind makes.
template <class Widget>
Widget* Form1::Made(std::string_view name) const {
  auto* widget = qobject_cast<Widget*>(controls_.at(name));
  Q_ASSERT(widget);
  return widget;
}

void Form1::SetTabOrder() {
  const auto order = threewire::form::TabOrder();
  QWidget* previous = nullptr;
  for (const Control* control : order) {
    QWidget* widget = controls_.at(control->name);
    if (previous) setTabOrder(previous, widget);
    previous = widget;
  }
}

// The window was drawn in light colours, dark blue numbers on white boxes, and keeps them under a
// dark desktop theme, which would put those blues on dark grey. So it brings its own light palette,
// and the Fusion style, which paints with it. Its frames take the classic style, which sets the
// caption on the top border, half a caption line down, as the layout was drawn.
void Form1::ApplyDrawnLook() {
  QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"));
  QStyle* classic = QStyleFactory::create(QStringLiteral("Windows"));
  for (QStyle* style : {fusion, classic}) {
    if (style) style->setParent(this);
  }
  if (!fusion || !classic) return;  // a Qt built without them draws in the desktop's look
  setPalette(fusion->standardPalette());
  setStyle(fusion);
  for (QWidget* control : findChildren<QWidget*>()) {
    control->setStyle(qobject_cast<QGroupBox*>(control) ? classic : fusion);
  }
}

void Form1::ConnectHandlers() {
  connect(Command9_, &QPushButton::clicked, this, &Form1::Command9_Click);
  connect(Text8_, &QLineEdit::textChanged, this, &Form1::Text8_Change);
  connect(Command101_, &QPushButton::clicked, this, &Form1::Command101_Click);
  connect(Command7_, &QPushButton::clicked, this, &Form1::Command7_Click);
  connect(judge_, &QPushButton::clicked, this, &Form1::Judge_Click);
  for (const auto& [box, caption] : threewire::form::PanelInputs()) {
    connect(Made<QLineEdit>(box), &QLineEdit::returnPressed, this, &Form1::Judge_Click);
  }
}

void Form1::Command9_Click() { Run(threewire::form::kCommand9_Click); }

// Runs on every change of Text8's text. Writing the reformatted text fires it once more; that
// pass finds the text already formatted and writes nothing.
void Form1::Text8_Change() { Run(threewire::form::kText8_Change); }

void Form1::Command101_Click() { Run(threewire::form::kCommand101_Click); }

void Form1::Judge_Click() { Run(threewire::form::kJudge_Click); }

void Form1::Command7_Click() {
  auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
  auto* dialog = new QPrintDialog(printer.get(), this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  // The lambda holds the printer, so it lives exactly as long as the dialog's connection.
  connect(dialog, &QDialog::accepted, this, [this, printer] { PrintWindow(*this, *printer); });
  dialog->open();
}

QString Form1::TextOf(std::string_view box) const {
  if (controls_.at(box) == txtd0_) return txtd0_->currentText();
  return Made<QLineEdit>(box)->text();
}

void Form1::Run(const threewire::form::Handler& handler) {
  std::vector<std::string> texts;
  for (const std::string_view box : handler.reads) texts.push_back(Utf8(TextOf(box)));
  Show(handler.run(texts, locale_));
}

// setText moves the caret to the end, and a change of Text8 fires its handler.
void Form1::Show(const threewire::form::HandlerOutcome& outcome) {
  if (outcome.m_note) {
    txtm_->setToolTip(FromUtf8(*outcome.m_note));
    txtm_->setAccessibleDescription(FromUtf8(*outcome.m_note));
  }
  if (outcome.failure) return ShowFailure(*outcome.failure);
  for (const auto& [name, text] : outcome.writes) {
    // The panel's verdict and the line under it are labels, everything else is a box.
    if (auto* label = qobject_cast<QLabel*>(controls_.at(name))) {
      label->setText(FromUtf8(text));
    } else {
      Made<QLineEdit>(name)->setText(FromUtf8(text));
    }
  }
}

// Window-modal and opened without a nested event loop, so the window stays responsive to
// repainting and tests can find and close the message.
void Form1::ShowFailure(const threewire::form::FailureMessage& message) {
  auto* box = new QMessageBox(QMessageBox::Warning, windowTitle(), FromUtf8(message.what_failed),
                              QMessageBox::Ok, this);
  box->setInformativeText(FromUtf8(message.reason));
  box->setWindowModality(Qt::WindowModal);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->open();
}
