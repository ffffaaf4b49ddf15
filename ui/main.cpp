// SPDX-License-Identifier: MIT
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "form1.h"

namespace {

// Without a reachable display the toolkit aborts with a screenful of plugin diagnostics. Until
// the application object exists, keep the platform's chatter quiet and turn its fatal error into
// one line that says what to do.
void StartupMessageHandler(QtMsgType type, const QMessageLogContext&, const QString&) {
  if (type != QtFatalMsg) return;
  std::fputs(
      "threewire: cannot open a window: no display could be reached (DISPLAY is unset or "
      "unreachable). On a machine without a screen, start it under Xvfb: xvfb-run threewire\n",
      stderr);
  std::_Exit(EXIT_FAILURE);
}

}  // namespace

int main(int argc, char* argv[]) {
  qInstallMessageHandler(StartupMessageHandler);
  QApplication app(argc, argv);
  qInstallMessageHandler(nullptr);
  QGuiApplication::setDesktopFileName(QStringLiteral("org.threewire.ThreeWire"));

  Form1 window;
  window.show();
  return app.exec();
}
