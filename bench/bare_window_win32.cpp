// SPDX-License-Identifier: MIT
// The baseline for the Windows start-up benchmark: a bare Win32 window whose client area is the
// calculator's 317 x 349, with one label of Chinese text in the same Song face.
#include <windows.h>

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  window_class.lpszClassName = L"BareWindow";
  RegisterClassW(&window_class);

  constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT frame{0, 0, 317, 349};
  AdjustWindowRect(&frame, kStyle, FALSE);
  HWND window = CreateWindowW(L"BareWindow", L"多线螺纹三针测量", kStyle, CW_USEDEFAULT,
                              CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                              nullptr, nullptr, instance, nullptr);
  HWND label = CreateWindowW(L"STATIC", L"多线螺纹三针测量", WS_CHILD | WS_VISIBLE, 20, 20, 200,
                             20, window, nullptr, instance, nullptr);
  HFONT song = CreateFontW(-14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, 0, 0, 0,
                           0, L"SimSun");
  SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(song), FALSE);
  ShowWindow(window, show);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  DeleteObject(song);
  return 0;
}
