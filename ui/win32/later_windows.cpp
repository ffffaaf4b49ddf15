// SPDX-License-Identifier: MIT
#include "later_windows.h"

#include "system_library.h"

namespace threewire::win32 {
namespace {

// GetDpiForMonitor's MDT_EFFECTIVE_DPI: the DPI the user's scale setting gives the monitor.
constexpr int kEffectiveDpi = 0;

const HMODULE user32 = GetModuleHandleW(L"user32.dll");

}  // namespace

GetDpiForWindowFunction DynGetDpiForWindow =
    Lookup<GetDpiForWindowFunction>(user32, "GetDpiForWindow");
AdjustWindowRectExForDpiFunction DynAdjustWindowRectExForDpi =
    Lookup<AdjustWindowRectExForDpiFunction>(user32, "AdjustWindowRectExForDpi");
// Looked up only where Windows 10's own is missing: a start on Windows 10 loads no shcore.dll.
GetDpiForMonitorFunction DynGetDpiForMonitor =
    DynGetDpiForWindow
        ? nullptr
        : Lookup<GetDpiForMonitorFunction>(SystemLibrary(L"shcore.dll"), "GetDpiForMonitor");

UINT DpiOf(HWND window) {
  if (DynGetDpiForWindow) return DynGetDpiForWindow(window);
  UINT dpi_x, dpi_y;
  if (DynGetDpiForMonitor &&
      SUCCEEDED(DynGetDpiForMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST),
                                    kEffectiveDpi, &dpi_x, &dpi_y))) {
    return dpi_x;
  }
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return static_cast<UINT>(dpi);
}

void AdjustToFrame(HWND window, RECT& rect, DWORD style) {
  if (DynAdjustWindowRectExForDpi) {
    DynAdjustWindowRectExForDpi(&rect, style, FALSE, 0, DpiOf(window));
  } else {
    AdjustWindowRectEx(&rect, style, FALSE, 0);
  }
}

}  // namespace threewire::win32
