// SPDX-License-Identifier: MIT
// The baseline for the start-up benchmark: a bare Qt Widgets window of the calculator's size
// with one label of Chinese text in the same Song face.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.setFixedSize(317, 349);
  QFont song;
  song.setFamilies({"SimSun", "宋体", "AR PL UMing CN", "Noto Serif CJK SC"});
  song.setPointSizeF(10.5);
  QLabel label(QStringLiteral("多线螺纹三针测量"), &window);
  label.setFont(song);
  label.move(20, 20);
  window.show();
  return app.exec();
}
