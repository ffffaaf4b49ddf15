// SPDX-License-Identifier: MIT
#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "chinese_qt_dialogs.h"
#include "form1.h"
#include "print_window.h"

namespace {

// Places and sizes in twips, as the layout was drawn; 15 twips are one pixel.
QRect Twips(int left, int top, int width, int height) {
  return QRect(left / 15, top / 15, width / 15, height / 15);
}

const QStringList kBoxes = {"txtt",    "txtn",  "txtd2", "txtr",  "txtm",
                            "Text101", "Text6", "Text7", "Text8", "Text3"};

const QStringList kWireDiameters = {
    "0.118", "0.142", "0.17",  "0.185", "0.201", "0.232", "0.25",  "0.26",  "0.291",
    "0.343", "0.402", "0.433", "0.461", "0.511", "0.572", "0.724", "0.742", "0.796",
    "0.866", "1.008", "1.047", "1.157", "1.302", "1.441", "1.553", "1.591", "1.732",
    "1.833", "2.02",  "2.05",  "2.071", "2.217", "2.311", "2.595", "2.886", "3.106",
    "3.177", "3.287", "3.31",  "3.468", "3.55",  "3.58",  "3.666", "4.091", "4.12",
    "4.141", "4.211", "4.4",   "4.773", "5.15",  "6.212"};

}  // namespace

class TestForm1 : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();

  void startsWithEmptyBoxesButTheWireAndTheWelcome();
  void windowHasFixedClientSizeAndCaption();
  void controlGeometry_data();
  void controlGeometry();
  void fontsAndColours_data();
  void fontsAndColours();
  void songFaceHasTheMetricsTheLayoutWasDrawnFor();
  void captionsFitTheirLabels_data();
  void captionsFitTheirLabels();
  void clicksOnOverlappedControlsReachTheControl();
  void tooltip();
  void wireListIsFixed();
  void tabOrderAndFirstFocus();
  void enterAndSpaceAfterOpeningReachPrint_data();
  void enterAndSpaceAfterOpeningReachPrint();
  void accessibleNames_data();
  void accessibleNames();
  void bestWireDiameterByClicking_data();
  void bestWireDiameterByClicking();
  void text8FormatsWhatIsTyped_data();
  void text8FormatsWhatIsTyped();
  void mValueByTyping_data();
  void mValueByTyping();
  void pickedAndTypedWireGiveTheSameM();
  void resultsStayUntilTheNextClick();
  void failuresChangeNothingAndExplain_data();
  void failuresChangeNothingAndExplain();
  void printsOnePageAtPhysicalSize();
  void refusesToStartWithoutADisplay();

 private:
  template <class T = QWidget>
  T* control(const QString& name) const {
    T* found = form_->findChild<T*>(name);
    if (!found) qFatal("no control %s", qPrintable(name));
    return found;
  }
  QMap<QString, QString> boxTexts() const;
  void type(const QString& box, const QString& text);
  void clickButton(const QString& name);
  QMessageBox* openMessage() const;

  std::unique_ptr<Form1> form_;
};

void TestForm1::initTestCase() { QVERIFY(InstallChineseQtDialogs(*QCoreApplication::instance())); }

void TestForm1::init() {
  form_ = std::make_unique<Form1>();
  form_->show();
  QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
  form_->activateWindow();  // an X server without a window manager activates nothing by itself
  QVERIFY(QTest::qWaitForWindowActive(form_.get()));
}

void TestForm1::cleanup() { form_.reset(); }

QMap<QString, QString> TestForm1::boxTexts() const {
  QMap<QString, QString> texts;
  for (const QString& name : kBoxes) texts[name] = control<QLineEdit>(name)->text();
  texts["txtd0"] = control<QComboBox>("txtd0")->currentText();
  return texts;
}

void TestForm1::type(const QString& box, const QString& text) {
  QWidget* widget = control(box);
  if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    combo->lineEdit()->clear();
    widget = combo->lineEdit();
  }
  QTest::mouseClick(widget, Qt::LeftButton);
  for (const QChar c : text) {
    if (c.unicode() < 0x80) {
      QTest::keyClicks(widget, QString(c));
    } else {
      // What a Chinese input method does: it commits the composed character.
      QInputMethodEvent commit;
      commit.setCommitString(QString(c));
      QApplication::sendEvent(widget, &commit);
    }
  }
}

void TestForm1::clickButton(const QString& name) {
  QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton);
}

QMessageBox* TestForm1::openMessage() const {
  const auto boxes = form_->findChildren<QMessageBox*>();
  for (QMessageBox* box : boxes) {
    if (box->isVisible()) return box;
  }
  return nullptr;
}

void TestForm1::startsWithEmptyBoxesButTheWireAndTheWelcome() {
  const auto texts = boxTexts();
  for (const QString& name : kBoxes) {
    if (name == "Text3") continue;
    QVERIFY2(texts[name].isEmpty(), qPrintable(name));
  }
  QCOMPARE(texts["txtd0"], "0.118");
  QVERIFY(texts["Text3"].contains("QQ"));
}

void TestForm1::windowHasFixedClientSizeAndCaption() {
  QCOMPARE(form_->size(), QSize(4755 / 15, 5235 / 15));
  QCOMPARE(form_->minimumSize(), form_->maximumSize());
  QCOMPARE(form_->windowTitle(), "多线螺纹(大螺旋角)三针测量");
  QVERIFY(!form_->windowIcon().isNull());
}

void TestForm1::controlGeometry_data() {
  QTest::addColumn<QString>("parent");
  QTest::addColumn<QRect>("rect");
  QTest::addColumn<QString>("text");
  const auto row = [](const char* name, const char* parent, QRect rect, const char* text) {
    QTest::newRow(name) << QString(parent) << rect << QString(text);
  };
  row("Frame6", "Form1", Twips(180, 120, 4335, 1320), "三针直径计算");
  row("Frame7", "Form1", Twips(180, 1560, 4335, 2745), "多线螺纹(大螺旋角)三针测量M值计算");
  row("Label2_5", "Form1", Twips(690, 4440, 3075, 315), "注:螺旋角≥3°要用此软件计算.");
  row("Text3", "Form1", Twips(570, 4830, 3255, 270), nullptr);
  row("Text6", "Frame6", Twips(990, 360, 690, 285), "");
  row("Text7", "Frame6", Twips(990, 855, 690, 285), "");
  row("Text8", "Frame6", Twips(3150, 360, 825, 285), "");
  row("Command9", "Frame6", Twips(3450, 900, 690, 285), "显示");
  row("Label1_36", "Frame6", Twips(1860, 930, 1665, 195), "实际三针≥理论三针");
  row("Label1_37", "Frame6", Twips(2340, 315, 735, 420), "显示理论三针直径");
  row("Label1_38", "Frame6", Twips(225, 810, 735, 420), "输入螺纹牙形角");
  row("Label1_39", "Frame6", Twips(180, 405, 780, 285), "输入螺距");
  row("Label1_40", "Frame6", Twips(1710, 405, 510, 240), "mm/牙");
  row("Label1_41", "Frame6", Twips(1710, 855, 240, 195), "°");
  row("txtt", "Frame7", Twips(810, 810, 765, 315), "");
  row("txtn", "Frame7", Twips(3330, 1350, 765, 315), "");
  row("txtd2", "Frame7", Twips(3090, 360, 1035, 315), "");
  row("txtr", "Frame7", Twips(3330, 870, 765, 315), "");
  row("txtm", "Frame7", Twips(1620, 2220, 1365, 315), "");
  row("Command101", "Frame7", Twips(3300, 1890, 795, 345), "显示M值");
  row("Text101", "Frame7", Twips(360, 2220, 1035, 315), "");
  row("txtd0", "Frame7", Twips(1170, 1350, 1035, 300), "0.118");
  row("Command7", "Frame7", Twips(3300, 2310, 810, 285), "打 印");
  row("Label1_42", "Frame7", Twips(330, 750, 495, 525), "输入螺距");
  row("Label2_4", "Frame7", Twips(2280, 1350, 945, 255), "输入线数");
  row("Label4", "Frame7", Twips(2190, 870, 1065, 285), "输入牙形角");
  row("Label5", "Frame7", Twips(300, 1290, 855, 435), "输入实际三针直径");
  row("Label6", "Frame7", Twips(2130, 1950, 435, 285), "M值");
  row("Label7", "Frame7", Twips(480, 1920, 975, 285), "螺纹升角");
  row("Label1_43", "Frame7", Twips(300, 420, 2865, 240), "输入外螺纹理论中径值(不含公差)");
  row("Label1_44", "Frame7", Twips(1650, 870, 510, 240), "mm/牙");
  // The separating line runs from twip 30 to 4740 at height 1800; the frame, 4335 wide, cuts it
  // off at its right border.
  row("Line1", "Frame7", QRect(2, 120, (4335 - 30) / 15, 1), nullptr);
}

void TestForm1::controlGeometry() {
  QFETCH(QString, parent);
  QFETCH(QRect, rect);
  QFETCH(QString, text);
  QWidget* widget = control(QTest::currentDataTag());
  QCOMPARE(widget->parentWidget()->objectName(), parent);
  QCOMPARE(widget->geometry(), rect);
  if (text.isNull()) return;
  if (auto* label = qobject_cast<QLabel*>(widget)) QCOMPARE(label->text(), text);
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) QCOMPARE(edit->text(), text);
  if (auto* button = qobject_cast<QPushButton*>(widget)) QCOMPARE(button->text(), text);
  if (auto* frame = qobject_cast<QGroupBox*>(widget)) QCOMPARE(frame->title(), text);
  if (auto* combo = qobject_cast<QComboBox*>(widget)) QCOMPARE(combo->currentText(), text);
}

void TestForm1::fontsAndColours_data() {
  QTest::addColumn<double>("points");
  QTest::addColumn<bool>("bold");
  QTest::addColumn<QColor>("colour");  // invalid: the style's own
  const QColor blue(0, 0, 255), darkBlue(0, 0, 192), green(0, 192, 0), none;
  const auto row = [](const char* name, double points, bool bold, QColor colour) {
    QTest::newRow(name) << points << bold << colour;
  };
  row("Text3", 10.5, true, blue);
  row("Frame6", 10.5, false, none);
  row("Frame7", 10.5, false, none);
  row("Label2_5", 10.5, false, none);
  for (const char* box : {"txtt", "txtn", "txtd2", "txtr", "txtm", "Text101"}) {
    row(box, 10.5, true, darkBlue);
  }
  for (const char* label : {"Label1_42", "Label2_4", "Label4", "Label5", "Label6", "Label7"}) {
    row(label, 10.5, false, none);
  }
  row("Label1_36", 9, false, green);
  // Controls without a font of their own keep the window's 9 pt, also inside a 10.5 pt frame.
  for (const char* plain :
       {"Text6", "Text7", "Text8", "Command9", "Label1_37", "Label1_38", "Label1_39", "Label1_40",
        "Label1_41", "Command101", "txtd0", "Command7", "Label1_43", "Label1_44"}) {
    row(plain, 9, false, none);
  }
}

void TestForm1::fontsAndColours() {
  QFETCH(double, points);
  QFETCH(bool, bold);
  QFETCH(QColor, colour);
  QWidget* widget = control(QTest::currentDataTag());
  QCOMPARE(widget->font().pointSizeF(), points);
  QCOMPARE(widget->font().bold(), bold);
  QCOMPARE(QFontInfo(widget->font()).family(), QFontInfo(form_->font()).family());
  if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    QCOMPARE(combo->lineEdit()->font(), widget->font());
  }
  const QColor shown = widget->palette().color(
      qobject_cast<QLineEdit*>(widget) ? QPalette::Text : QPalette::WindowText);
  if (colour.isValid()) {
    QCOMPARE(shown, colour);
  } else {
    QCOMPARE(shown, form_->palette().color(
                        qobject_cast<QLineEdit*>(widget) ? QPalette::Text : QPalette::WindowText));
  }
}

// On Debian the Song face is AR PL UMing; Noto CJK, with its taller lines, must not stand in.
void TestForm1::songFaceHasTheMetricsTheLayoutWasDrawnFor() {
  const QFont regular = control("Label4")->font();
  const QFont small = control("Label1_43")->font();
  const QStringList song = {"SimSun", "宋体", "AR PL UMing CN"};
  QVERIFY2(song.contains(QFontInfo(regular).family()), qPrintable(QFontInfo(regular).family()));
  QCOMPARE(QFontMetrics(regular).height(), 14);
  QCOMPARE(QFontMetrics(small).height(), 12);
  QCOMPARE(QFontMetrics(control("txtt")->font()).height(), 14);
}

void TestForm1::captionsFitTheirLabels_data() {
  QTest::addColumn<int>("lines");
  for (const char* two : {"Label1_37", "Label1_38", "Label1_42", "Label5"}) {
    QTest::newRow(two) << 2;
  }
  for (const char* one : {"Label1_36", "Label1_39", "Label1_40", "Label1_41", "Label1_43",
                          "Label1_44", "Label2_4", "Label2_5", "Label4", "Label6", "Label7"}) {
    QTest::newRow(one) << 1;
  }
}

void TestForm1::captionsFitTheirLabels() {
  QFETCH(int, lines);
  auto* label = control<QLabel>(QTest::currentDataTag());
  QVERIFY(label->wordWrap());
  QCOMPARE(label->alignment() & (Qt::AlignLeft | Qt::AlignTop), Qt::AlignLeft | Qt::AlignTop);
  QCOMPARE(label->margin(), 0);
  const QFontMetrics metrics(label->font());
  const QRect needed =
      metrics.boundingRect(QRect(0, 0, label->width(), 1000),
                           Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, label->text());
  QVERIFY2(needed.width() <= label->width(), qPrintable(QString::number(needed.width())));
  QVERIFY2(needed.height() <= label->height(), qPrintable(QString::number(needed.height())));
  QCOMPARE(needed.height() / metrics.lineSpacing(), lines);
}

// Static labels are drawn beneath the controls they touch, so a click there reaches the control.
void TestForm1::clicksOnOverlappedControlsReachTheControl() {
  const struct {
    const char* label;
    const char* control;
  } overlaps[] = {{"Label1_36", "Command9"}, {"Label1_43", "txtd2"}};
  for (const auto& overlap : overlaps) {
    QWidget* label = control(overlap.label);
    QWidget* widget = control(overlap.control);
    const QRect shared = label->geometry() & widget->geometry();
    QVERIFY2(!shared.isEmpty(), overlap.label);
    const QPoint inFrame = shared.center();
    QCOMPARE(widget->parentWidget()->childAt(inFrame), widget);
  }
  QSignalSpy clicked(control<QPushButton>("Command9"), &QPushButton::clicked);
  const QRect shared = control("Label1_36")->geometry() & control("Command9")->geometry();
  QTest::mouseClick(control("Command9"), Qt::LeftButton, {},
                    control("Command9")->mapFromParent(shared.center()));
  QCOMPARE(clicked.count(), 1);
  if (QMessageBox* message = openMessage()) message->close();
}

void TestForm1::tooltip() {
  QCOMPARE(control("Label1_36")->toolTip(), "选择的实际三针直径要≥理论三针直径");
}

void TestForm1::wireListIsFixed() {
  auto* combo = control<QComboBox>("txtd0");
  QStringList items;
  for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
  QCOMPARE(items, kWireDiameters);
  QVERIFY(combo->isEditable());

  type("txtd0", "2");
  QCOMPARE(combo->currentText(), "2");  // nothing completed from 2.02
  QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
  QCOMPARE(combo->currentText(), "2");
  type("txtd0", "7.5");
  QTest::keyClick(combo->lineEdit(), Qt::Key_Enter);
  QCOMPARE(combo->count(), kWireDiameters.size());
}

void TestForm1::tabOrderAndFirstFocus() {
  QCOMPARE(QApplication::focusWidget(), control("Command7"));
  const QStringList expected = {"Command7", "txtd0", "Text101", "Command101", "txtm",
                                "txtr",     "txtd2", "txtn",    "txtt",       "Command9",
                                "Text8",    "Text7", "Text6",   "Text3"};
  QStringList visited;
  for (int i = 0; i < expected.size(); ++i) {
    QWidget* focused = QApplication::focusWidget();
    // The combo box's edit field takes the focus on the combo box's behalf.
    while (focused && !focused->parentWidget()->inherits("QGroupBox") && focused != form_.get() &&
           focused->parentWidget() != form_.get()) {
      focused = focused->parentWidget();
    }
    visited << (focused ? focused->objectName() : QString());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  QCOMPARE(visited, expected);
  QCOMPARE(QApplication::focusWidget(), control("Command7"));  // and round again
}

void TestForm1::enterAndSpaceAfterOpeningReachPrint_data() {
  QTest::addColumn<int>("key");
  QTest::newRow("space") << int(Qt::Key_Space);
  QTest::newRow("return") << int(Qt::Key_Return);
  QTest::newRow("enter") << int(Qt::Key_Enter);
}

void TestForm1::enterAndSpaceAfterOpeningReachPrint() {
  QFETCH(int, key);
  QSignalSpy clicked(control<QPushButton>("Command7"), &QPushButton::clicked);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
  QCOMPARE(clicked.count(), 1);
  QPrintDialog* dialog = nullptr;
  QTRY_VERIFY((dialog = form_->findChild<QPrintDialog*>()) && dialog->isVisible());
  dialog->reject();
  QTRY_COMPARE(QApplication::focusWidget(), control("Command7"));
}

void TestForm1::accessibleNames_data() {
  QTest::addColumn<QString>("name");
  QTest::newRow("txtt") << "输入螺距";
  QTest::newRow("txtn") << "输入线数";
  QTest::newRow("txtd2") << "输入外螺纹理论中径值(不含公差)";
  QTest::newRow("txtr") << "输入牙形角";
  QTest::newRow("txtd0") << "输入实际三针直径";
  QTest::newRow("txtm") << "M值";
  QTest::newRow("Text101") << "螺纹升角";
  QTest::newRow("Text6") << "输入螺距";
  QTest::newRow("Text7") << "输入螺纹牙形角";
  QTest::newRow("Text8") << "显示理论三针直径";
  QTest::newRow("Command9") << "显示";
  QTest::newRow("Command101") << "显示M值";
  QTest::newRow("Command7") << "打 印";
}

void TestForm1::accessibleNames() {
  QFETCH(QString, name);
  QAccessibleInterface* accessible =
      QAccessible::queryAccessibleInterface(control(QTest::currentDataTag()));
  QVERIFY(accessible);
  if (!qobject_cast<QComboBox*>(accessible->object())) {
    QCOMPARE(accessible->text(QAccessible::Name), name);
    return;
  }
  // A combo box announces its value as its name; its label reaches the screen reader as the
  // "labelled by" relation (beside its frame's caption).
  QStringList labels;
  for (const auto& [related, relation] : accessible->relations(QAccessible::Label)) {
    labels << related->text(QAccessible::Name);
  }
  QVERIFY2(labels.contains(name), qPrintable(labels.join(", ")));
}

void TestForm1::bestWireDiameterByClicking_data() {
  QTest::addColumn<QString>("pitch");
  QTest::addColumn<QString>("angle");
  QTest::addColumn<QString>("wire");
  // P / (2 cos(α/2)), rounded to three decimals.
  QTest::newRow("M10 coarse") << "1.5"
                              << "60"
                              << "0.866";
  QTest::newRow("Whitworth 2 mm") << "2"
                                  << "55"
                                  << "1.127";
  QTest::newRow("trapezoidal 6 mm") << "6"
                                    << "30"
                                    << "3.106";
  QTest::newRow("full-width input") << "１．５"
                                    << "６０"
                                    << "0.866";
}

void TestForm1::bestWireDiameterByClicking() {
  QFETCH(QString, pitch);
  QFETCH(QString, angle);
  QFETCH(QString, wire);
  type("Text6", pitch);
  type("Text7", angle);
  clickButton("Command9");
  QCOMPARE(control<QLineEdit>("Text8")->text(), wire);
  QVERIFY(!openMessage());
}

void TestForm1::text8FormatsWhatIsTyped_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("shown");
  QTest::addColumn<int>("changes");  // the typed change, and the reformatting if it changed
  QTest::newRow("a digit") << "5"
                           << "5.000" << 2;
  QTest::newRow("a point") << "."
                           << "." << 1;
  QTest::newRow("letters") << "abc"
                           << "abc" << 3;
  QTest::newRow("digits after a formatted number") << "12"
                                                   << "1.000" << 4;
}

void TestForm1::text8FormatsWhatIsTyped() {
  QFETCH(QString, typed);
  QFETCH(QString, shown);
  QFETCH(int, changes);
  auto* text8 = control<QLineEdit>("Text8");
  QSignalSpy changed(text8, &QLineEdit::textChanged);
  type("Text8", typed);
  QCOMPARE(text8->text(), shown);
  QCOMPARE(text8->cursorPosition(), shown.size());
  QCOMPARE(changed.count(), changes);
}

void TestForm1::mValueByTyping_data() {
  QTest::addColumn<QStringList>("inputs");  // pitch, starts, pitch diameter, wire, angle
  QTest::addColumn<QString>("leadAngle");
  QTest::addColumn<QString>("m");
  QTest::newRow("M10 coarse") << QStringList{"1.5", "1", "9.026", "0.866", "60"} << "3.028"
                              << " 10.327";
  QTest::newRow("three-start trapezoidal") << QStringList{"6", "3", "36", "3.106", "30"} << "9.043"
                                           << " 40.048";
  QTest::newRow("four starts") << QStringList{"2", "4", "18.701", "1.157", "60"} << "7.754"
                               << " 20.456";
  QTest::newRow("units typed after the numbers")
      << QStringList{"1.5mm", "1", "9.026mm", "0.866", "60°"} << "3.028"
      << " 10.327";
}

void TestForm1::mValueByTyping() {
  QFETCH(QStringList, inputs);
  QFETCH(QString, leadAngle);
  QFETCH(QString, m);
  const QStringList boxes = {"txtt", "txtn", "txtd2", "txtd0", "txtr"};
  for (int i = 0; i < boxes.size(); ++i) type(boxes[i], inputs[i]);
  clickButton("Command101");
  QCOMPARE(control<QLineEdit>("Text101")->text(), leadAngle);
  QCOMPARE(control<QLineEdit>("txtm")->text(), m);
  QVERIFY(!openMessage());
}

void TestForm1::pickedAndTypedWireGiveTheSameM() {
  type("txtt", "2");
  type("txtn", "4");
  type("txtd2", "18.701");
  type("txtr", "60");
  auto* combo = control<QComboBox>("txtd0");
  combo->showPopup();
  auto* list = qobject_cast<QListView*>(combo->view());
  QVERIFY(list);
  const QModelIndex entry = combo->model()->index(kWireDiameters.indexOf("1.157"), 0);
  list->scrollTo(entry);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(entry).center());
  QTRY_COMPARE(combo->currentText(), "1.157");
  clickButton("Command101");
  const QString picked = control<QLineEdit>("txtm")->text();

  type("txtd0", "1.157");
  control<QLineEdit>("txtm")->clear();
  clickButton("Command101");
  QCOMPARE(control<QLineEdit>("txtm")->text(), picked);
  QCOMPARE(picked, " 20.456");
}

void TestForm1::resultsStayUntilTheNextClick() {
  const QStringList inputs = {"1.5", "1", "9.026", "0.866", "60"};
  const QStringList boxes = {"txtt", "txtn", "txtd2", "txtd0", "txtr"};
  for (int i = 0; i < boxes.size(); ++i) type(boxes[i], inputs[i]);
  clickButton("Command101");
  const auto before = boxTexts();
  QSignalSpy leadChanged(control<QLineEdit>("Text101"), &QLineEdit::textChanged);
  QSignalSpy mChanged(control<QLineEdit>("txtm"), &QLineEdit::textChanged);
  clickButton("Command101");  // the same two texts again
  QCOMPARE(boxTexts(), before);
  type("txtt", "2");
  QCOMPARE(control<QLineEdit>("Text101")->text(), before["Text101"]);
  QCOMPARE(control<QLineEdit>("txtm")->text(), before["txtm"]);
  QCOMPARE(leadChanged.count() + mChanged.count(), 0);
}

void TestForm1::failuresChangeNothingAndExplain_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<QStringList>("typed");  // box=text pairs
  QTest::addColumn<QStringList>("mentions");
  QTest::newRow("fresh window, best wire")
      << "Command9" << QStringList{} << QStringList{"理论三针直径", "“输入螺纹牙形角”"};
  QTest::newRow("fresh window, M value")
      << "Command101" << QStringList{} << QStringList{"M值", "“输入牙形角”"};
  QTest::newRow("pitch is no number")
      << "Command9" << QStringList{"Text6=abc", "Text7=60"} << QStringList{"“输入螺距”"};
  QTest::newRow("zero starts") << "Command101"
                               << QStringList{"txtt=1.5", "txtn=0", "txtd2=9", "txtr=60"}
                               << QStringList{"螺距和线数", "“输入螺距”", "“输入线数”"};
  QTest::newRow("zero pitch diameter")
      << "Command101" << QStringList{"txtt=1.5", "txtn=1", "txtd2=0", "txtd0=2", "txtr=60"}
      << QStringList{"中径", "“输入外螺纹理论中径值(不含公差)”"};
  QTest::newRow("wire beyond range")
      << "Command101" << QStringList{"txtt=1.5", "txtn=1", "txtd2=9", "txtd0=1e999", "txtr=60"}
      << QStringList{"三针直径", "“输入实际三针直径”"};
}

void TestForm1::failuresChangeNothingAndExplain() {
  QFETCH(QString, button);
  QFETCH(QStringList, typed);
  QFETCH(QStringList, mentions);
  for (const QString& pair : typed) type(pair.section('=', 0, 0), pair.section('=', 1));
  // Earlier results must survive a failed click.
  control<QLineEdit>("Text8")->setText("1.000");
  control<QLineEdit>("Text101")->setText("3.028");
  control<QLineEdit>("txtm")->setText(" 10.327");
  const auto before = boxTexts();

  clickButton(button);
  QCOMPARE(boxTexts(), before);
  QMessageBox* message = nullptr;
  QTRY_VERIFY((message = openMessage()));
  QCOMPARE(message->windowModality(), Qt::WindowModal);
  const QString shown = message->text() + message->informativeText();
  for (const QString& words : mentions) QVERIFY2(shown.contains(words), qPrintable(shown));
  QCOMPARE(message->button(QMessageBox::Ok)->text(), "确定");  // Qt's own words in Chinese too
  message->button(QMessageBox::Ok)->click();
  QTRY_VERIFY(!openMessage());
  QCOMPARE(boxTexts(), before);
}

void TestForm1::printsOnePageAtPhysicalSize() {
  type("txtt", "1.5");
  QWidget* focused = QApplication::focusWidget();
  const auto before = boxTexts();
  QTemporaryDir dir;
  const QString pdf = dir.filePath("window.pdf");
  {
    QPdfWriter writer(pdf);
    writer.setResolution(600);
    writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    PrintWindow(*form_, writer);
  }
  QCOMPARE(QApplication::focusWidget(), focused);
  QCOMPARE(boxTexts(), before);

  QProcess info;
  info.start("pdfinfo", {pdf});
  QVERIFY(info.waitForFinished());
  const QString pages = QString::fromUtf8(info.readAllStandardOutput()).section("Pages:", 1);
  QCOMPARE(pages.section('\n', 0, 0).trimmed(), "1");

  // At 96 dpi the printed window must measure its 317 x 349 pixels again, 10 mm (37.8 px) from
  // the top left of the page.
  QProcess raster;
  raster.start("pdftoppm", {"-r", "96", "-png", "-singlefile", pdf, dir.filePath("page")});
  QVERIFY(raster.waitForFinished());
  const QImage page(dir.filePath("page.png"));
  QVERIFY(!page.isNull());
  QRect ink;
  for (int y = 0; y < page.height(); ++y) {
    for (int x = 0; x < page.width(); ++x) {
      if (page.pixelColor(x, y) != Qt::white) ink |= QRect(x, y, 1, 1);
    }
  }
  QVERIFY2(qAbs(ink.left() - 38) <= 1 && qAbs(ink.top() - 38) <= 1,
           qPrintable(QString("%1,%2").arg(ink.left()).arg(ink.top())));
  QVERIFY2(qAbs(ink.width() - 317) <= 2 && qAbs(ink.height() - 349) <= 2,
           qPrintable(QString("%1x%2").arg(ink.width()).arg(ink.height())));
}

void TestForm1::refusesToStartWithoutADisplay() {
  QProcess program;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove("DISPLAY");
  environment.remove("WAYLAND_DISPLAY");
  environment.insert("QT_QPA_PLATFORM", "xcb");
  program.setProcessEnvironment(environment);
  program.start(THREEWIRE_PROGRAM, {});
  QVERIFY(program.waitForFinished(10000));
  QCOMPARE(program.exitStatus(), QProcess::NormalExit);
  QVERIFY(program.exitCode() != 0);
  const QString error = QString::fromUtf8(program.readAllStandardError()).trimmed();
  QVERIFY2(!error.contains('\n') && error.contains("xvfb-run"), qPrintable(error));
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
