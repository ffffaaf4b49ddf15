// SPDX-License-Identifier: MIT
#include "print_window.h"

#include <commdlg.h>
#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>
#include <string>

#include "com_runtime.h"
#include "dpi.h"
#include "form1_controls.h"
#include "form1_layout.h"
#include "gdi_objects.h"
#include "later_windows.h"
#include "system_library.h"
#include "wide_text.h"

namespace threewire::win32 {
namespace {

// The picture's distance from the paper's top and left edges, 10 mm, in tenths of a millimetre,
// and the tenths of a millimetre in an inch.
constexpr int kMarginTenthsMm = 100;
constexpr int kTenthsMmPerInch = 254;
// The finest picture drawn, in pixels an inch: beyond what an eye resolves on paper, while one for
// a 2400-dpi inkjet would take hundreds of megabytes. A finer printer stretches it.
constexpr int kFinestPictureDpi = 600;

// The window is printed as a picture that GDI draws at the printer's resolution, not as the
// screen's pixels stretched nor as GDI calls played onto the printer. Each control paints itself
// as on the screen, in the screen's fonts and line breaks, scaled to the printer's resolution, so
// text and lines are drawn as finely as the printer prints; the printer gets one picture, which
// every printer driver prints faithfully. Played onto a printer instead, GDI calls would keep text
// as text, but they lean on the driver for all that the controls draw with: Wine's PostScript
// driver lost the frames' and buttons' alpha-blended borders and most labels, cut the boxes' texts
// and filled the drop-down box black.

// The picture frame of a metafile of `pixels` screen pixels, in the hundredths of a millimetre
// that a recorder for `screen` counts for a pixel, so that playing it into a rectangle maps exactly
// those pixels onto it.
RECT FrameOf(HDC screen, SIZE pixels) {
  return {0, 0,
          MulDiv(pixels.cx, GetDeviceCaps(screen, HORZSIZE) * 100, GetDeviceCaps(screen, HORZRES)),
          MulDiv(pixels.cy, GetDeviceCaps(screen, VERTSIZE) * 100, GetDeviceCaps(screen, VERTRES))};
}

// What `draw` draws onto `size` pixels of `window`'s screen, recorded from the origin.
template <typename Draw>
MetafileHandle Record(HWND window, SIZE size, Draw draw) {
  const HDC screen = GetDC(window);
  const RECT frame = FrameOf(screen, size);
  const HDC recorder = CreateEnhMetaFileW(screen, nullptr, &frame, nullptr);
  ReleaseDC(window, screen);
  draw(recorder);
  return MetafileHandle(CloseEnhMetaFile(recorder));
}

// Plays one record of a recording. Text is drawn transparent: the background colour that the
// system's WM_CTLCOLORSTATIC gives a label's text does not reach a recording under Wine, whose
// playback then puts the text on white; over the background that the label has just filled, the
// text looks as on the screen.
int CALLBACK PlayRecord(HDC dc, HANDLETABLE* handles, const ENHMETARECORD* record, int count,
                        LPARAM) {
  if (record->iType == EMR_EXTTEXTOUTW) SetBkMode(dc, TRANSPARENT);
  return PlayEnhMetaFileRecord(dc, handles, record, count);
}

// The sunken edge of a box. The system draws it outside the box's client area, where WM_PRINT
// does not reach under Wine, so it is drawn here as the system draws it: from the box's visual
// style, or as the classic edge where the box has none.
void DrawClientEdge(HWND box, HDC dc, SIZE size) {
  RECT edge{0, 0, size.cx, size.cy};
  if (const HTHEME theme = GetWindowTheme(box)) {
    DrawThemeBackground(theme, dc, EP_EDITTEXT, ETS_NORMAL, &edge, nullptr);
  } else {
    DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
  }
}

// The size in pixels at `dpi` of `client` pixels shown at `window_dpi`.
SIZE AtResolution(SIZE client, int window_dpi, SIZE dpi) {
  return {MulDiv(client.cx, dpi.cx, window_dpi), MulDiv(client.cy, dpi.cy, window_dpi)};
}

// Where the window's picture goes on the paper, in the device's pixels: 10 mm from the paper's top
// left corner, or at the printable area's edge where that starts further in, at the size the
// client area has on its screen.
RECT PagePlacement(SIZE client, int window_dpi, const Paper& paper) {
  const int left = std::max<int>(
      0, MulDiv(kMarginTenthsMm, paper.dpi.cx, kTenthsMmPerInch) - paper.printable_offset.x);
  const int top = std::max<int>(
      0, MulDiv(kMarginTenthsMm, paper.dpi.cy, kTenthsMmPerInch) - paper.printable_offset.y);
  const SIZE size = AtResolution(client, window_dpi, paper.dpi);
  return {left, top, left + size.cx, top + size.cy};
}

// A top-down 32-bit picture of `size` pixels.
struct Picture {
  BITMAPINFO info{};
  void* pixels = nullptr;
  BitmapHandle bitmap;
};

// A picture of the window's client area being drawn: its device context, and the client area's
// size on the screen and in the picture.
struct Canvas {
  HWND window;
  HDC dc;
  SIZE client;
  SIZE picture;
};

SIZE SizeOf(const RECT& rect) { return {rect.right - rect.left, rect.bottom - rect.top}; }

// `rect`, in screen pixels, in the canvas's pixels.
RECT OnCanvas(const Canvas& canvas, RECT rect) {
  MapWindowPoints(HWND_DESKTOP, canvas.window, reinterpret_cast<POINT*>(&rect), 2);
  return {MulDiv(rect.left, canvas.picture.cx, canvas.client.cx),
          MulDiv(rect.top, canvas.picture.cy, canvas.client.cy),
          MulDiv(rect.right, canvas.picture.cx, canvas.client.cx),
          MulDiv(rect.bottom, canvas.picture.cy, canvas.client.cy)};
}

// Has `draw` draw onto the canvas what `control` shows on `place`, a rectangle of the screen,
// drawn from its top left corner: scaled to the canvas and cut to `place`. Most controls cut their
// drawing to their client area by taking the device's pixels for their own, which a scaled device
// context would break; they are recorded at the screen's scale and the recording is played
// scaled. Boxes draw straight onto the scaled canvas: Wine's playback of their text drops and
// misplaces characters.
template <typename Draw>
void DrawScaled(const Canvas& canvas, HWND control, const RECT& place, Draw draw) {
  const RECT target = OnCanvas(canvas, place);
  const SIZE size = SizeOf(place);
  const int saved = SaveDC(canvas.dc);
  IntersectClipRect(canvas.dc, target.left, target.top, target.right, target.bottom);
  if (IsOfClass(control, WC_EDITW)) {
    const XFORM scale{static_cast<float>(target.right - target.left) / size.cx,
                      0,
                      0,
                      static_cast<float>(target.bottom - target.top) / size.cy,
                      static_cast<float>(target.left),
                      static_cast<float>(target.top)};
    SetWorldTransform(canvas.dc, &scale);
    draw(canvas.dc);
  } else {
    EnumEnhMetaFile(canvas.dc, Record(control, size, draw).get(), PlayRecord, nullptr, &target);
  }
  RestoreDC(canvas.dc, saved);
}

void PaintControl(const Canvas& canvas, HWND control);

// The controls that `parent` holds, from the bottom of the z-order up, so that one lying over
// another covers it.
void PaintChildren(const Canvas& canvas, HWND parent) {
  for (HWND child = GetWindow(GetWindow(parent, GW_CHILD), GW_HWNDLAST); child;
       child = GetWindow(child, GW_HWNDPREV)) {
    PaintControl(canvas, child);
  }
}

// `control` as it shows itself: its edge, its client area and, cut to that, the controls it holds.
void PaintControl(const Canvas& canvas, HWND control) {
  RECT outer, inner;
  GetWindowRect(control, &outer);
  GetClientRect(control, &inner);
  MapWindowPoints(control, HWND_DESKTOP, reinterpret_cast<POINT*>(&inner), 2);
  if (GetWindowLongPtrW(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) {
    DrawScaled(canvas, control, outer, [&](HDC dc) { DrawClientEdge(control, dc, SizeOf(outer)); });
  }
  DrawScaled(canvas, control, inner, [&](HDC dc) {
    SendMessageW(control, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_ERASEBKGND | PRF_CLIENT);
  });
  const int saved = SaveDC(canvas.dc);
  const RECT holds = OnCanvas(canvas, inner);
  IntersectClipRect(canvas.dc, holds.left, holds.top, holds.right, holds.bottom);
  PaintChildren(canvas, control);
  RestoreDC(canvas.dc, saved);
}

// The top left `client` pixels of the window's client area as they are shown, drawn into a picture
// of `size` pixels: the window's background, then its controls.
Picture Rasterize(HWND window, SIZE client, SIZE size) {
  Picture picture;
  picture.info.bmiHeader = {sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB};
  picture.bitmap.reset(
      CreateDIBSection(nullptr, &picture.info, DIB_RGB_COLORS, &picture.pixels, nullptr, 0));
  const DcHandle memory(CreateCompatibleDC(nullptr));
  const HGDIOBJ previous = SelectObject(memory.get(), picture.bitmap.get());
  SetGraphicsMode(memory.get(), GM_ADVANCED);  // for the boxes' scaling
  const RECT whole{0, 0, size.cx, size.cy};
  FillRect(memory.get(), &whole,
           reinterpret_cast<HBRUSH>(GetClassLongPtrW(window, GCLP_HBRBACKGROUND)));
  PaintChildren({window, memory.get(), client, size}, window);
  SelectObject(memory.get(), previous);
  GdiFlush();
  return picture;
}

// comdlg32 brings shell32 and the print spooler with it: it is loaded at the first print, not at
// every start. (A delay-load import library made by dlltool, as for /DELAYLOAD, leaves a 32-bit
// program's call to it pointing nowhere.) The dialog is a COM object.
HRESULT ShowPrintDialog(PRINTDLGEXW& dialog) {
  static const auto print_dialog =
      Lookup<decltype(&PrintDlgExW)>(SystemLibrary(L"comdlg32.dll"), "PrintDlgExW");
  EnterComApartment();
  return print_dialog ? print_dialog(&dialog) : E_NOTIMPL;
}

}  // namespace

Paper PaperOf(HDC printer) {
  return {{GetDeviceCaps(printer, LOGPIXELSX), GetDeviceCaps(printer, LOGPIXELSY)},
          {GetDeviceCaps(printer, PHYSICALOFFSETX), GetDeviceCaps(printer, PHYSICALOFFSETY)}};
}

void PrintWindowTo(HWND window, HDC device, const Paper& paper) {
  const SIZE form1{Scale(window, form::kClientWidthTwips / form::kTwipsPerPixel),
                   Scale(window, form::kClientHeightTwips / form::kTwipsPerPixel)};
  const int window_dpi = static_cast<int>(DpiOf(window));
  const RECT page = PagePlacement(form1, window_dpi, paper);
  const SIZE size = AtResolution(form1, window_dpi,
                                 {std::min<int>(paper.dpi.cx, kFinestPictureDpi),
                                  std::min<int>(paper.dpi.cy, kFinestPictureDpi)});
  const Picture picture = Rasterize(window, form1, size);
  StretchDIBits(device, page.left, page.top, page.right - page.left, page.bottom - page.top, 0, 0,
                size.cx, size.cy, picture.pixels, &picture.info, DIB_RGB_COLORS, SRCCOPY);
}

void PrintWithDialog(HWND window) {
  PRINTDLGEXW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = window;
  dialog.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_NOCURRENTPAGE;
  dialog.nStartPage = START_PAGE_GENERAL;
  const HRESULT shown = ShowPrintDialog(dialog);
  GlobalFree(dialog.hDevMode);
  GlobalFree(dialog.hDevNames);
  const DcHandle printer(dialog.hDC);
  if (FAILED(shown) || dialog.dwResultAction != PD_RESULT_PRINT) return;

  const std::wstring title = Widen(TextOf(window));
  DOCINFOW document{sizeof document};
  document.lpszDocName = title.c_str();
  if (StartDocW(printer.get(), &document) <= 0) return;  // cancelled, say, in a PDF's file dialog
  StartPage(printer.get());
  PrintWindowTo(window, printer.get(), PaperOf(printer.get()));
  EndPage(printer.get());
  EndDoc(printer.get());
}

}  // namespace threewire::win32
