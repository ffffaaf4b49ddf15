// SPDX-License-Identifier: MIT
#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

#include "chinese_qt_dialogs.h"
#include "form1.h"
#include "form1_controls.h"
#include "form1_layout.h"
#include "print_window.h"

namespace {

// The smallest rectangle holding every non-white pixel of the PDF's page, rendered at 96 dpi.
QRect InkOnPage(const QString& pdf, const QString& png_stem) {
  QProcess::execute("pdftoppm", {"-r", "96", "-png", "-singlefile", pdf, png_stem});
  const QImage page(png_stem + ".png");
  QRect ink;
  for (int y = 0; y < page.height(); ++y) {
    for (int x = 0; x < page.width(); ++x)
      ink |= page.pixel(x, y) == qRgb(255, 255, 255) ? QRect() : QRect(x, y, 1, 1);
  }
  return ink;
}

// The pixels an inch, "across x down", of the pictures the PDF draws, each once: pdfimages lists
// them under two heading lines, x-ppi and y-ppi in the 13th and 14th columns.
QString PictureResolutions(const QString& pdf) {
  QProcess list;
  list.start(
      "sh",
      {"-c", "pdfimages -list \"$0\" | awk 'NR > 2 { print $13 \" x \" $14 }' | sort -u", pdf});
  list.waitForFinished();
  return QString(list.readAllStandardOutput()).trimmed();
}

}  // namespace

class TestForm1 : public QObject {
  Q_OBJECT
  std::unique_ptr<Form1> form_;

  QMap<QString, QString> boxTexts() const {
    QMap<QString, QString> texts;  // txtd0's edit field has no name of its own
    for (const QLineEdit* box : form_->findChildren<QLineEdit*>())
      texts[box->objectName()] = box->text();
    return texts;
  }

  // "box=text" types into a box, "click=button" clicks.
  void act(const QStringList& steps) {
    for (const QString& step : steps) {
      const QString name = step.section('=', 0, 0), text = step.section('=', 1);
      if (name == "click") {
        QTest::mouseClick(form_->findChild<QPushButton*>(text), Qt::LeftButton);
      } else if (auto* combo = form_->findChild<QComboBox*>(name)) {
        combo->setEditText(text);
      } else {
        form_->findChild<QLineEdit*>(name)->clear();
        QTest::keyClicks(form_->findChild<QLineEdit*>(name), text);
      }
    }
  }

 private slots:
  void initTestCase() {
    QVERIFY(InstallChineseQtDialogs(*QCoreApplication::instance()));
    // The run under a decimal-comma locale checks that it has one.
    if (qEnvironmentVariableIsSet("THREEWIRE_TEST_LOCALE")) QCOMPARE(QLocale().decimalPoint(), ",");
  }
  void init() {
    form_ = std::make_unique<Form1>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
  }
  void cleanup() { form_.reset(); }

  // A number text written with the user's decimal separator: "0.125" is "0,125" in Germany.
  static QString local(QString text) { return text.replace('.', QLocale().decimalPoint()); }

  // Best wire P / (2 cos(α/2)) to three decimals, for a miniature pitch whose 15-digit text has an
  // exponent (7.21681402353375E-02), and a worked example of the M value, whose box
  // then tells the converged M and how far the shown M is from it. The M calculator reads a point
  // whatever the user's settings; the best wire's texts and the lead angle follow them.
  void calculatorsAnswerTheirButtons() {
    act(QString("Text6=" + local("0.125") +
                ";Text7=60;click=Command9;txtt=1.5;txtn=1;txtd2=9.026;txtd0=0.866;"
                "txtr=60;click=Command101")
            .split(';'));
    const QLineEdit* txtm = form_->findChild<QLineEdit*>("txtm");
    QCOMPARE(boxTexts()["Text8"] + " " + boxTexts()["Text101"] + txtm->text(),
             local("0.072 3.028") + " 10.327");
    QVERIFY2(txtm->toolTip().startsWith("迭代收敛解：M = 10.3267 mm"), qPrintable(txtm->toolTip()));
    QCOMPARE(txtm->accessibleDescription(), txtm->toolTip());
  }

  // A failure as the window shows it (the handlers' wording is tested without a window): a
  // message of what failed that names the box, no box changed, the converged M's tooltip gone.
  void failureChangesNoBoxAndNamesIt() {
    act(QString("txtt=1.5;txtn=1;txtd2=9;txtr=60;click=Command101;txtr=;Text8=1").split(';'));
    const auto before = boxTexts();
    act({"click=Command101"});
    QMessageBox* message = nullptr;
    QTRY_VERIFY((message = form_->findChild<QMessageBox*>()));
    QVERIFY(message->text().startsWith("无法计算M值") &&
            message->informativeText().contains("“输入牙形角”"));
    QCOMPARE(boxTexts(), before);
    QCOMPARE(form_->findChild<QLineEdit*>("txtm")->toolTip(), "");
  }

  // The inspector's panel as the window runs it (what 判定 computes is tested without a window):
  // at 21° of lead a part judged by 判定 or by Enter in one of its boxes, its results in the
  // table; a failure shows the message and changes nothing.
  void panelJudgesOnItsButtonAndOnEnter() {
    act(QString("txtt=12;txtn=4;txtd0=6.212;txtr=30;d2max=" + local("39.800") +
                ";d2min=" + local("39.600") + ";measured_m=" + local("48.917"))
            .split(';'));
    auto* verdict = form_->findChild<QLabel*>("verdict");
    for (const QString box : {"", "d2max", "d2min", "measured_m"}) {
      verdict->clear();
      if (box.isEmpty()) {
        act({"click=judge"});
      } else {
        QTest::keyClick(form_->findChild<QLineEdit*>(box), Qt::Key_Return);
      }
      QCOMPARE(verdict->text() + box, "合格" + box);
    }
    QCOMPARE(boxTexts()["d2_actual"] + " " + boxTexts()["d2_actual_exact"], local("39.535 39.650"));

    act({"d2min=" + local("39.900")});
    const auto before = boxTexts();
    act({"click=judge"});
    QMessageBox* message = nullptr;
    QTRY_VERIFY((message = form_->findChild<QMessageBox*>()));
    QCOMPARE(message->text(), "无法判定。");
    QCOMPARE(boxTexts(), before);
  }

  // The layout was drawn for a Song face, 14 px lines at 10.5 pt and 12 px at 9 pt: every caption
  // fits its label, on two lines in the labels drawn two lines high (28 px, 420 twips, or more),
  // on one in the others.
  void captionsFitTheirLinesInTheSongFace() {
    const auto labels = form_->findChildren<QLabel*>();
    QVERIFY(labels.size() >= 15);  // the window's labels
    for (const QLabel* label : labels) {
      if (label->text().isEmpty()) continue;  // the panel's verdict, before 判定
      const QFontMetrics metrics(label->font());
      QCOMPARE(metrics.height(), label->font().pointSizeF() == 9 ? 12 : 14);
      const QRect needed =
          metrics.boundingRect(QRect(0, 0, label->width(), 99), Qt::TextWordWrap, label->text());
      QVERIFY2(needed.width() <= label->width() && needed.height() <= label->height(),
               qPrintable(label->objectName()));
      const auto& drawn = threewire::form::ControlNamed(label->objectName().toStdString());
      QCOMPARE(needed.height() / metrics.lineSpacing(), drawn.height >= 420 ? 2 : 1);
    }
  }

  // The window opens with the focus on 打 印, and Tab walks the controls in the layout's order; a
  // screen reader hears each by the layout's name for it. Orca reads an editable combo box's edit
  // field, and its list once open.
  void tabWalksTheLayoutsOrderEachControlNamed() {
    for (const threewire::form::Control* control : threewire::form::TabOrder()) {
      QWidget* focused = QApplication::focusWidget();
      QCOMPARE(focused->objectName(), FromUtf8(control->name));
      const auto* wires = qobject_cast<QComboBox*>(focused);
      for (QWidget* read :
           wires ? QWidgetList{wires->lineEdit(), wires->view()} : QWidgetList{focused}) {
        QCOMPARE(QAccessible::queryAccessibleInterface(read)->text(QAccessible::Name),
                 FromUtf8(threewire::form::AccessibleName(*control)));
      }
      QTest::keyClick(focused, Qt::Key_Tab);
    }
  }

  // Under a dark desktop theme (here Qt's own, white text on white boxes), applied before the
  // window is made or while it is open, every box keeps its text readable against its background:
  // a contrast of 4.5 : 1 at least, in WCAG's relative luminance.
  void boxesStayReadableUnderADarkTheme() {
    const auto luminance = [](QColor c) {
      const auto linear = [](double v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
      };
      return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF()) +
             0.05;
    };
    const QPalette light = QApplication::palette();
    QApplication::setPalette(QPalette(QColor(48, 47, 46)));
    const auto restore = qScopeGuard([&light] { QApplication::setPalette(light); });
    const Form1 madeInTheDark;
    for (const QWidget* window :
         std::initializer_list<const QWidget*>{form_.get(), &madeInTheDark}) {
      const auto boxes = window->findChildren<QLineEdit*>();
      QVERIFY(boxes.size() >= 11);  // the window's ten boxes and the wire box's edit field
      for (const QLineEdit* box : boxes) {
        // The panel's outputs are drawn on their frame's background.
        const QColor base = box->palette().color(QPalette::Base);
        const QColor background =
            base.alpha() ? base : box->parentWidget()->palette().color(QPalette::Window);
        const auto [darker, lighter] =
            std::minmax({luminance(box->palette().color(QPalette::Text)), luminance(background)});
        QVERIFY2(lighter / darker >= 4.5, qPrintable(box->objectName()));
      }
    }
  }

  // Printed on a 600-dpi printer whose paintable area starts at the margins given, the window
  // lies 10 mm (37.8 px at 96 dpi) from the paper's top and left edges, or at the margin where that
  // lies further in, and measures its 317 x 349 pixels at 96 dpi. Every picture in the PDF has the
  // printer's 600 pixels an inch: none is the screen's 96-dpi pixels stretched.
  void printsAtTrueSizeTenMillimetresFromTheCorner_data() {
    QTest::addColumn<QMarginsF>("margins");  // left, top, right, bottom, mm
    QTest::addColumn<bool>("fullPage");
    QTest::addColumn<QPoint>("corner");  // at 96 dpi
    QTest::newRow("no margins") << QMarginsF() << false << QPoint(38, 38);
    QTest::newRow("a PDF queue's printable area")
        << QMarginsF(3.4, 3.4, 3.4, 3.4) << false << QPoint(38, 38);
    QTest::newRow("15 mm left, 4 mm top") << QMarginsF(15, 4, 5, 5) << false << QPoint(57, 38);
    QTest::newRow("full page, margins set") << QMarginsF(20, 20, 20, 20) << true << QPoint(38, 38);
  }
  void printsAtTrueSizeTenMillimetresFromTheCorner() {
    QFETCH(QMarginsF, margins);
    QFETCH(bool, fullPage);
    QFETCH(QPoint, corner);
    QTemporaryDir dir;
    const QString pdf = dir.filePath("window.pdf");
    {
      QPrinter printer(QPrinter::HighResolution);
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(pdf);
      printer.setResolution(600);
      printer.setPageMargins(margins, QPageLayout::Millimeter);
      printer.setFullPage(fullPage);
      PrintWindow(*form_, printer);
    }
    const QRect ink = InkOnPage(pdf, dir.filePath("page"));
    QVERIFY2((ink.topLeft() - corner).manhattanLength() <= 2 && qAbs(ink.width() - 317) <= 2 &&
                 qAbs(ink.height() - 349) <= 2,
             qPrintable(QDebug::toString(ink)));
    // Qt hands widgets to a printer as a picture of them drawn at the printer's resolution.
    QCOMPARE(PictureResolutions(pdf), "600 x 600");
  }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
