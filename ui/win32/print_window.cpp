// SPDX-License-Identifier: MIT
#include "print_window.h"

#include <commdlg.h>

#include <string>

#include "gdi_objects.h"
#include "wide_text.h"

namespace threewire::win32 {
namespace {

// The picture's distance from the paper's top and left edges, 10 mm, in tenths of a millimetre,
// and the tenths of a millimetre in an inch.
constexpr int kMarginTenthsMm = 100;
constexpr int kTenthsMmPerInch = 254;

// The client area's pixels as the screen shows them, top row first, 32 bits each.
struct ClientPicture {
  BITMAPINFO info{};
  void* pixels = nullptr;
  BitmapHandle bitmap;
};

ClientPicture CaptureClientArea(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  ClientPicture picture;
  picture.info.bmiHeader = {sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB};
  picture.bitmap.reset(
      CreateDIBSection(nullptr, &picture.info, DIB_RGB_COLORS, &picture.pixels, nullptr, 0));
  // Whatever a closed dialog left uncovered is drawn again before it is copied.
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  const DcHandle memory(CreateCompatibleDC(nullptr));
  const HGDIOBJ previous = SelectObject(memory.get(), picture.bitmap.get());
  const HDC screen = GetDC(window);
  BitBlt(memory.get(), 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
  ReleaseDC(window, screen);
  SelectObject(memory.get(), previous);
  GdiFlush();
  return picture;
}

// Where the window's picture goes on a page, in the device's pixels: 10 mm from the top left
// corner of the paper, whose printable area starts `printable_offset` device pixels inside it, at
// the size the client area has on its screen (`client` pixels at `window_dpi`).
RECT PagePlacement(SIZE client, UINT window_dpi, SIZE device_dpi, POINT printable_offset) {
  const int left = MulDiv(kMarginTenthsMm, device_dpi.cx, kTenthsMmPerInch) - printable_offset.x;
  const int top = MulDiv(kMarginTenthsMm, device_dpi.cy, kTenthsMmPerInch) - printable_offset.y;
  const int dpi = static_cast<int>(window_dpi);
  return {left, top, left + MulDiv(client.cx, device_dpi.cx, dpi),
          top + MulDiv(client.cy, device_dpi.cy, dpi)};
}

}  // namespace

void PrintWindowTo(HWND window, HDC device) {
  const ClientPicture picture = CaptureClientArea(window);
  const LONG width = picture.info.bmiHeader.biWidth;
  const LONG height = -picture.info.bmiHeader.biHeight;
  const RECT page = PagePlacement(
      {width, height}, GetDpiForWindow(window),
      {GetDeviceCaps(device, LOGPIXELSX), GetDeviceCaps(device, LOGPIXELSY)},
      {GetDeviceCaps(device, PHYSICALOFFSETX), GetDeviceCaps(device, PHYSICALOFFSETY)});
  StretchDIBits(device, page.left, page.top, page.right - page.left, page.bottom - page.top, 0, 0,
                width, height, picture.pixels, &picture.info, DIB_RGB_COLORS, SRCCOPY);
}

void PrintWithDialog(HWND window) {
  PRINTDLGEXW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = window;
  dialog.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_NOCURRENTPAGE;
  dialog.nStartPage = START_PAGE_GENERAL;
  const HRESULT shown = PrintDlgExW(&dialog);
  GlobalFree(dialog.hDevMode);
  GlobalFree(dialog.hDevNames);
  const DcHandle printer(dialog.hDC);
  if (FAILED(shown) || dialog.dwResultAction != PD_RESULT_PRINT) return;

  const std::wstring title = Widen(TextOf(window));
  DOCINFOW document{sizeof document};
  document.lpszDocName = title.c_str();
  if (StartDocW(printer.get(), &document) <= 0) return;  // cancelled, say, in a PDF's file dialog
  StartPage(printer.get());
  PrintWindowTo(window, printer.get());
  EndPage(printer.get());
  EndDoc(printer.get());
}

}  // namespace threewire::win32
