// SPDX-License-Identifier: MIT
#include "form1.h"

#include <QFontDatabase>
#include <QLocale>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QStyleFactory>

#include "best_wire_diameter.h"
#include "failure_message.h"
#include "m_value.h"
#include "number_format.h"
#include "print_window.h"
#include "ui_form1.h"

namespace {

// The window was drawn for the metrics of a Song (Ming) face: SimSun where it exists, Debian's
// AR PL UMing otherwise. Noto CJK comes last: its lines are too tall for the two-line labels.
// Only the installed ones are asked for, in this order: a family that is missing sends the
// toolkit through a slow search for fallbacks, once for every font.
const QStringList& SongFamilies() {
  static const QStringList installed = [] {
    QStringList families;
    for (const char* family : {"SimSun", "宋体", "AR PL UMing CN", "Noto Serif CJK SC"}) {
      if (QFontDatabase::hasFamily(QString::fromUtf8(family))) families << family;
    }
    return families;
  }();
  return installed;
}

QFont SongFont(double point_size, QFont::Weight weight) {
  QFont font;
  font.setFamilies(SongFamilies());
  font.setPointSizeF(point_size);
  font.setWeight(weight);
  return font;
}

enum class Face { kDefault, kRegular, kBold };  // kDefault: the window's 9 pt Song face

struct Appearance {
  const char* control;
  Face face;
  QColor colour;  // invalid: the style's own
};

const Appearance kAppearances[] = {
    {"Text3", Face::kBold, QColor(0, 0, 255)},
    {"Frame6", Face::kRegular, {}},
    {"Frame7", Face::kRegular, {}},
    {"Label2_5", Face::kRegular, {}},
    {"Label1_36", Face::kDefault, QColor(0, 192, 0)},
    {"txtt", Face::kBold, QColor(0, 0, 192)},
    {"txtn", Face::kBold, QColor(0, 0, 192)},
    {"txtd2", Face::kBold, QColor(0, 0, 192)},
    {"txtr", Face::kBold, QColor(0, 0, 192)},
    {"txtm", Face::kBold, QColor(0, 0, 192)},
    {"Text101", Face::kBold, QColor(0, 0, 192)},
    {"Line1", Face::kDefault, QColor(128, 128, 128)},
    {"Label1_42", Face::kRegular, {}},
    {"Label2_4", Face::kRegular, {}},
    {"Label4", Face::kRegular, {}},
    {"Label5", Face::kRegular, {}},
    {"Label6", Face::kRegular, {}},
    {"Label7", Face::kRegular, {}},
};

void SetForeground(QWidget* control, const QColor& colour) {
  QPalette palette = control->palette();
  palette.setColor(QPalette::Text, colour);
  palette.setColor(QPalette::WindowText, colour);
  control->setPalette(palette);
}

std::string Utf8(const QString& text) { return text.toStdString(); }
QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

threewire::NumberLocale UserNumberLocale() {
  const QLocale locale;
  return {Utf8(locale.decimalPoint()), Utf8(locale.groupSeparator())};
}

}  // namespace

Form1::Form1(QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::Form1>()), locale_(UserNumberLocale()) {
  // Controls created in their font are laid out once, not once more for every change of font.
  setFont(SongFont(9, QFont::Normal));
  ui_->setupUi(this);
  setFixedSize(size());
  setWindowIcon(QIcon(QStringLiteral(":/icons/threewire.ico")));
  ui_->txtd0->setCompleter(nullptr);  // "2" stays "2": nothing is completed from the list
  ApplyFontsAndColours();
  ApplyClassicFrames();
  ConnectHandlers();
  ui_->Command7->setFocus();
}

Form1::~Form1() = default;

void Form1::ApplyFontsAndColours() {
  // Every control keeps the window's font unless it has one of its own: a frame's caption font is
  // not passed on to the controls inside it.
  for (QWidget* control : findChildren<QWidget*>()) control->setFont(font());
  for (const Appearance& look : kAppearances) {
    QWidget* control = findChild<QWidget*>(QLatin1String(look.control));
    if (look.face != Face::kDefault) {
      control->setFont(SongFont(10.5, look.face == Face::kBold ? QFont::Bold : QFont::Normal));
    }
    if (look.colour.isValid()) SetForeground(control, look.colour);
  }
}

// The layout was drawn for frames whose caption sits on the top border, half a caption line
// down; the classic style draws them so, while every other control keeps the desktop's style.
void Form1::ApplyClassicFrames() {
  QStyle* classic = QStyleFactory::create(QStringLiteral("Windows"));
  if (!classic) return;  // a Qt built without it draws the desktop style's frames
  classic->setParent(this);
  for (QWidget* frame : {ui_->Frame6, ui_->Frame7}) frame->setStyle(classic);
}

void Form1::ConnectHandlers() {
  connect(ui_->Command9, &QPushButton::clicked, this, &Form1::Command9_Click);
  connect(ui_->Text8, &QLineEdit::textChanged, this, &Form1::Text8_Change);
  connect(ui_->Command101, &QPushButton::clicked, this, &Form1::Command101_Click);
  connect(ui_->Command7, &QPushButton::clicked, this, &Form1::Command7_Click);
}

void Form1::Command9_Click() {
  const auto wire = threewire::ComputeBestWireDiameter(Utf8(ui_->Text6->text()),
                                                       Utf8(ui_->Text7->text()), locale_);
  if (!wire) {
    const InputBoxNames names{.pitch = ui_->Label1_39->text(),
                              .profile_angle = ui_->Label1_38->text()};
    ShowFailure(QStringLiteral("无法计算理论三针直径。"), FailureReason(wire.error(), names));
    return;
  }
  ui_->Text8->setText(FromUtf8(*wire));  // fires Text8_Change, which rounds it to 0.000
}

// Runs on every change of Text8's text. Writing the reformatted text fires it once more; that
// pass finds the text already formatted, and writing an unchanged text fires nothing.
void Form1::Text8_Change() {
  const std::string text = Utf8(ui_->Text8->text());
  ui_->Text8->setText(FromUtf8(threewire::FormatFixed(std::string_view(text), 3, locale_)));
}

void Form1::Command101_Click() {
  const auto result = threewire::ComputeMValue(
      Utf8(ui_->txtt->text()), Utf8(ui_->txtn->text()), Utf8(ui_->txtd2->text()),
      Utf8(ui_->txtd0->currentText()), Utf8(ui_->txtr->text()), locale_);
  if (!result) {
    const InputBoxNames names{ui_->Label1_42->text(), ui_->Label2_4->text(), ui_->Label1_43->text(),
                              ui_->Label5->text(), ui_->Label4->text()};
    ShowFailure(QStringLiteral("无法计算M值。"), FailureReason(result.error(), names));
    return;
  }
  ui_->Text101->setText(FromUtf8(result->lead_angle_text));
  ui_->txtm->setText(FromUtf8(result->m_text));
}

void Form1::Command7_Click() {
  auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
  auto* dialog = new QPrintDialog(printer.get(), this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  // The lambda holds the printer, so it lives exactly as long as the dialog's connection.
  connect(dialog, &QDialog::accepted, this, [this, printer] { PrintWindow(*this, *printer); });
  dialog->open();
}

// Window-modal and opened without a nested event loop, so the window stays responsive to
// repainting and tests can find and close the message.
void Form1::ShowFailure(const QString& what_failed, const QString& reason) {
  auto* box =
      new QMessageBox(QMessageBox::Warning, windowTitle(), what_failed, QMessageBox::Ok, this);
  box->setInformativeText(reason);
  box->setWindowModality(Qt::WindowModal);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->open();
}
