// SPDX-License-Identifier: MIT
#include <windows.h>

#include "form1.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  HWND form = threewire::win32::CreateForm1(instance);
  if (!form) return 1;
  ShowWindow(form, show);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (threewire::win32::HandleForm1Keys(form, message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
