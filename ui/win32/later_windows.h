// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

// The functions of Windows later than XP that the window uses, each looked up once, when the
// program starts, into a pointer named after it: null where this Windows lacks it, and then the
// window takes the way older Windows go. The headers are set to XP's functions, so any other later
// function does not compile; a test sets a pointer to null to walk the older way.
namespace threewire::win32 {

// Windows 10 1607: the window's own DPI, and its frame at a DPI.
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND window);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT* rect, DWORD style, BOOL menu,
                                                       DWORD ex_style, UINT dpi);
// Windows 8.1, in shcore.dll: a monitor's DPI; looked up only where GetDpiForWindow is missing.
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR monitor, int type, UINT* dpi_x,
                                                  UINT* dpi_y);

extern GetDpiForWindowFunction DynGetDpiForWindow;
extern AdjustWindowRectExForDpiFunction DynAdjustWindowRectExForDpi;
extern GetDpiForMonitorFunction DynGetDpiForMonitor;

// Sent from Windows 8.1 on when the window comes onto a monitor of another DPI.
constexpr UINT kWmDpiChanged = 0x02E0;

// The DPI the window is drawn for: its own on Windows 10, its monitor's on 8.1, the system's on
// XP to 8 (where the manifest makes the program aware of the system's DPI, not of each monitor's).
UINT DpiOf(HWND window);

// `rect`, the client area of the window at its DPI, grown to the window with `style`'s frame:
// a frame of the window's DPI on Windows 10, of the system's before, where Windows draws it so.
void AdjustToFrame(HWND window, RECT& rect, DWORD style);

}  // namespace threewire::win32
