// SPDX-License-Identifier: MIT
// The window on the Windows that lack the later functions the program looks up (Wine has them all,
// so a test takes them away): on XP to 8 it is drawn for the system's DPI, on 8.1 for its
// monitor's, which under Wine are both the screen's, and either way it prints at its true size.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <utility>

#include "form1.h"
#include "later_windows.h"
#include "print_window.h"

namespace {

using namespace threewire::win32;

double ScreenDpi() {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi;
}

// The client area, Form1 and the panel, is 599 x 349 pixels at 96 dpi, rounded to the screen's
// pixels; Form1's 317 x 349 of them (83.9 x 92.3 mm) lie 10 mm (236.2 pixels) from the corner of
// a 600-dpi paper at that size, to half a pixel of a 192-dpi screen: 600 / 192 of the paper's.
TEST(OldWindows, WindowTakesTheScreensDpiAndPrintsAtTrueSize) {
  const auto dpi_for_window = DynGetDpiForWindow;
  const auto adjust_for_dpi = DynAdjustWindowRectExForDpi;
  const auto dpi_for_monitor = DynGetDpiForMonitor;  // none where Windows 10's is found
  ASSERT_TRUE(dpi_for_window && adjust_for_dpi);
  const std::pair<const char*, GetDpiForMonitorFunction> cases[] = {
      {"Windows XP to 8", nullptr},  // none of the three
      {"Windows 8.1", reinterpret_cast<GetDpiForMonitorFunction>(reinterpret_cast<void*>(
                          GetProcAddress(LoadLibraryW(L"shcore.dll"), "GetDpiForMonitor")))},
  };
  const double dpi = ScreenDpi();
  for (const auto& [windows, monitor_dpi] : cases) {
    SCOPED_TRACE(windows);
    DynGetDpiForWindow = nullptr;
    DynAdjustWindowRectExForDpi = nullptr;
    DynGetDpiForMonitor = monitor_dpi;
    const std::unique_ptr<HWND__, decltype(&DestroyWindow)> form(
        CreateForm1(GetModuleHandleW(nullptr)), &DestroyWindow);
    RECT client;
    GetClientRect(form.get(), &client);
    EXPECT_NEAR(client.right, 599 * dpi / 96, 0.5);
    EXPECT_NEAR(client.bottom, 349 * dpi / 96, 0.5);

    const HDC recorder = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    PrintWindowTo(form.get(), recorder, {{600, 600}, {0, 0}});
    const std::unique_ptr<HENHMETAFILE__, decltype(&DeleteEnhMetaFile)> page(
        CloseEnhMetaFile(recorder), &DeleteEnhMetaFile);
    ENHMETAHEADER header;
    GetEnhMetaFileHeader(page.get(), sizeof header, &header);
    const RECTL& drawn = header.rclBounds;  // its right and bottom pixels drawn
    EXPECT_NEAR(drawn.left, 236.2, 1);
    EXPECT_NEAR(drawn.top, 236.2, 1);
    EXPECT_NEAR(drawn.right + 1 - drawn.left, 317 / 96.0 * 600, 600 / 192.0);
    EXPECT_NEAR(drawn.bottom + 1 - drawn.top, 349 / 96.0 * 600, 600 / 192.0);
  }
  DynGetDpiForWindow = dpi_for_window;
  DynAdjustWindowRectExForDpi = adjust_for_dpi;
  DynGetDpiForMonitor = dpi_for_monitor;
}

}  // namespace
