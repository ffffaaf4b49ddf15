// SPDX-License-Identifier: MIT
// The Windows start-up benchmark's goal baseline: the calculator's window with the same controls,
// fonts and wire list, from the layout table, and nothing else: no handlers, tooltips or
// accessible names. Each control is created once at its place, with the program's manifest
// (Common Controls 6, per-monitor DPI).
#include <windows.h>

#include <array>

#include "dpi.h"
#include "form1_controls.h"
#include "form1_layout.h"
#include "wide_text.h"

namespace {

using namespace threewire;

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

HWND CreateWindowOfClientSize(HINSTANCE instance) {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  window_class.lpszClassName = L"ControlsWindow";
  RegisterClassW(&window_class);
  const UINT dpi = GetDpiForSystem();
  RECT frame{0, 0, MulDiv(form::kDesktopClientWidthTwips / form::kTwipsPerPixel, dpi, 96),
             MulDiv(form::kClientHeightTwips / form::kTwipsPerPixel, dpi, 96)};
  AdjustWindowRectExForDpi(&frame, kStyle, FALSE, 0, dpi);
  return CreateWindowExW(0, L"ControlsWindow", win32::Widen(form::kWindowCaption).c_str(), kStyle,
                         CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                         frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
}

// A drop-down box's height includes its open list, 20 entries of the field's height.
HWND CreateControl(HWND window, const form::Control& control, HFONT font) {
  const win32::WindowKind kind = win32::KindOf(control);
  const auto [left, top, width, height] = form::PixelsInClientArea(control);
  const int list = control.kind == form::ControlKind::kComboBox ? 20 * height : 0;
  HWND child = CreateWindowExW(
      kind.ex_style, kind.window_class, win32::Widen(control.text).c_str(),
      WS_CHILD | WS_VISIBLE | kind.style, win32::Scale(window, left), win32::Scale(window, top),
      win32::Scale(window, width), win32::Scale(window, height + list), window, nullptr,
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE)), nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  HWND window = CreateWindowOfClientSize(instance);
  const std::array fonts = {win32::MakeSongFont(window, form::Face::kDefault),
                            win32::MakeSongFont(window, form::Face::kRegular),
                            win32::MakeSongFont(window, form::Face::kBold)};
  for (const form::Control& control : form::DesktopControls()) {
    HWND child = CreateControl(window, control, fonts[static_cast<size_t>(control.face)].get());
    if (control.kind == form::ControlKind::kComboBox) win32::FillWireList(child);
  }
  ShowWindow(window, show);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
