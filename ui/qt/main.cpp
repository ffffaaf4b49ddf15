// SPDX-License-Identifier: MIT
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "chinese_qt_dialogs.h"
#include "form1.h"

namespace {

bool display_unreachable = false;

// Without a reachable display the toolkit aborts with a screenful of plugin diagnostics. Until
// the application object exists, keep the platform's chatter quiet and turn its fatal error into
// one line that says what went wrong and what to do.
void StartupMessageHandler(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (message.contains(QLatin1String("could not connect to display"))) display_unreachable = true;
  if (type != QtFatalMsg) return;
  if (display_unreachable) {
    std::fputs(
        "threewire: cannot open a window: no display could be reached (DISPLAY is unset or "
        "unreachable). Without a screen, start it under Xvfb: xvfb-run threewire\n",
        stderr);
  } else {
    std::fprintf(stderr, "threewire: cannot start: %s\n",
                 qPrintable(message.section(QLatin1Char('\n'), 0, 0)));
  }
  std::_Exit(EXIT_FAILURE);
}

}  // namespace

int main(int argc, char* argv[]) {
  qInstallMessageHandler(StartupMessageHandler);
  QApplication app(argc, argv);
  qInstallMessageHandler(nullptr);
  QGuiApplication::setDesktopFileName(QStringLiteral("org.threewire.ThreeWire"));
  InstallChineseQtDialogs(app);
  QApplication::setFont(Form1::DefaultFont());

  Form1 window;
  window.show();
  return app.exec();
}
