// SPDX-License-Identifier: MIT
#include "form1.h"

#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "com_runtime.h"
#include "dpi.h"
#include "form1_controls.h"
#include "form1_handlers.h"
#include "form1_layout.h"
#include "gdi_objects.h"
#include "inspection_panel.h"
#include "later_windows.h"
#include "print_window.h"
#include "resource.h"
#include "wide_text.h"

namespace threewire::win32 {
namespace {

using form::Control;
using form::ControlKind;
using form::Face;

constexpr wchar_t kClassName[] = L"ThreeWireForm1";
// Fixed size: no sizing border, no maximize box.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// Above IDOK and IDCANCEL, which the dialog manager sends for Enter in a box and for Esc.
constexpr int kFirstControlId = 100;
// Entries the open wire-diameter list shows at once.
constexpr int kVisibleWires = 20;

// One font per Face, for the window's DPI.
using Fonts = std::array<FontHandle, 3>;

// What the window keeps besides the texts of its controls.
// The accessibility runtime's service that sets controls' names and descriptions, released once.
struct ComRelease {
  void operator()(IUnknown* object) const { object->Release(); }
};
using AccessibilityServices = std::unique_ptr<IAccPropServices, ComRelease>;

struct Form1State {
  NumberLocale locale;
  Fonts fonts;
  BrushHandle line_brush;
  bool named = false;                   // whether the controls have their accessible names
  AccessibilityServices accessibility;  // none without an accessibility runtime
  HWND tooltip = nullptr;
  HWND focus = nullptr;  // the control that gets the focus back when the window is activated
};

Form1State& StateOf(HWND form) {
  return *reinterpret_cast<Form1State*>(GetWindowLongPtrW(form, GWLP_USERDATA));
}

int IdOf(const Control& control) {
  return kFirstControlId + static_cast<int>(&control - form::DesktopControls().data());
}

const Control* ControlWithId(int id) {
  const auto controls = form::DesktopControls();
  const int index = id - kFirstControlId;
  return index >= 0 && index < std::ssize(controls) ? &controls[index] : nullptr;
}

std::string BoxText(HWND form, std::string_view box) { return TextOf(ControlHandle(form, box)); }

COLORREF ColourRef(const form::Rgb& rgb) { return RGB(rgb.red, rgb.green, rgb.blue); }

// Read by the user's locale identifier, which every Windows has: it reaches the user's own
// settings and a custom locale as the locale's name would.
std::string UserLocaleInfo(LCTYPE type, std::string fallback) {
  wchar_t text[16];  // a separator has at most four characters, the terminating null included
  const int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, text, std::size(text));
  return length > 0 ? Narrow({text, static_cast<size_t>(length - 1)}) : fallback;
}

// The user's number settings, which the strict readings and fixed writings follow.
NumberLocale UserNumberLocale() {
  const NumberLocale standard;
  return {UserLocaleInfo(LOCALE_SDECIMAL, standard.decimal_separator),
          UserLocaleInfo(LOCALE_STHOUSAND, standard.group_separator)};
}

Fonts MakeFonts(HWND form) {
  return {MakeSongFont(form, Face::kDefault), MakeSongFont(form, Face::kRegular),
          MakeSongFont(form, Face::kBold)};
}

HFONT FontOf(const Fonts& fonts, Face face) { return fonts[static_cast<size_t>(face)].get(); }

// Top first. The controls that take the focus come in tab order, since the dialog manager walks
// them in z-order; the labels and the line lie beneath them, so a click where a label touches a
// box or a button reaches that control; the frames lie beneath everything they hold.
std::vector<const Control*> ZOrder() {
  std::vector<const Control*> order = form::TabOrder();
  for (const ControlKind kind : {ControlKind::kLabel, ControlKind::kLine, ControlKind::kFrame}) {
    for (const Control& control : form::DesktopControls()) {
      if (control.kind == kind) order.push_back(&control);
    }
  }
  return order;
}

// The control's place in the table, scaled to the window's DPI.
form::PixelRect ScaledPlace(HWND form, const Control& control) {
  const auto [left, top, width, height] = form::PixelsInClientArea(control);
  return {Scale(form, left), Scale(form, top), Scale(form, width), Scale(form, height)};
}

// Children of the window itself, frames included, so that every WM_COMMAND reaches it; each made
// at its place rather than moved there afterwards, 31 moves fewer at every start.
void CreateControls(HWND form) {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(form, GWLP_HINSTANCE));
  for (const Control* control : ZOrder()) {
    const WindowKind kind = KindOf(*control);
    const auto [left, top, width, height] = ScaledPlace(form, *control);
    CreateWindowExW(kind.ex_style, kind.window_class, Widen(control->text).c_str(),
                    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | kind.style, left, top, width, height,
                    form, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IdOf(*control))), instance,
                    nullptr);
  }
}

int WindowHeight(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  return rect.bottom - rect.top;
}

// A drop-down box is as high as its edit field in its font makes it. The closed box is the field
// and borders that Windows and Wine count differently, so they are measured with the field as it
// is; then the field is set to leave the table's height, and the window's height below it is the
// open list's.
void FitWireBox(HWND form) {
  const Control& box = form::ControlNamed("txtd0");
  HWND combo = ControlHandle(form, box.name);
  const form::PixelRect place = ScaledPlace(form, box);
  constexpr auto kField = static_cast<WPARAM>(-1);
  const auto field = SendMessageW(combo, CB_GETITEMHEIGHT, kField, 0);
  SendMessageW(combo, CB_SETITEMHEIGHT, kField, field);
  const int borders = WindowHeight(combo) - static_cast<int>(field);
  SendMessageW(combo, CB_SETITEMHEIGHT, kField, place.height - borders);
  const auto entry = SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0);
  SetWindowPos(combo, nullptr, 0, 0, place.width,
               place.height + kVisibleWires * static_cast<int>(entry),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Fonts for the window's DPI, in every control and the tooltip. The old fonts go only once no
// control uses them any more.
void SetFonts(HWND form) {
  Form1State& state = StateOf(form);
  Fonts fonts = MakeFonts(form);
  for (const Control& control : form::DesktopControls()) {
    SendMessageW(GetDlgItem(form, IdOf(control)), WM_SETFONT,
                 reinterpret_cast<WPARAM>(FontOf(fonts, control.face)), FALSE);
  }
  if (state.tooltip) {
    SendMessageW(state.tooltip, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(fonts, Face::kDefault)),
                 FALSE);
  }
  state.fonts = std::move(fonts);
}

// Fonts and places for a new DPI.
void ScaleToDpi(HWND form) {
  SetFonts(form);
  for (const Control& control : form::DesktopControls()) {
    const auto [left, top, width, height] = ScaledPlace(form, control);
    SetWindowPos(GetDlgItem(form, IdOf(control)), nullptr, left, top, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  FitWireBox(form);
  RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// The window's size for a client area of the table's size at the window's DPI.
void FitClientArea(HWND form) {
  RECT frame{0, 0, Scale(form, form::kDesktopClientWidthTwips / form::kTwipsPerPixel),
             Scale(form, form::kClientHeightTwips / form::kTwipsPerPixel)};
  AdjustToFrame(form, frame, kStyle);
  SetWindowPos(form, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND ToolTips(HWND form);

// Shows `text` when the mouse rests on `control`; an empty text takes the tooltip away.
void SetToolTip(HWND form, HWND control, std::string_view text) {
  HWND tooltip = ToolTips(form);
  TTTOOLINFOW tool{sizeof tool};
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = form;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  SendMessageW(tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  if (text.empty()) return;
  std::wstring wide = Widen(text);
  tool.lpszText = wide.data();
  SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  // A label lets the mouse through to what lies beneath it unless it asks for notifications.
  if (IsOfClass(control, WC_STATICW)) {
    SetWindowLongPtrW(control, GWL_STYLE, GetWindowLongPtrW(control, GWL_STYLE) | SS_NOTIFY);
  }
}

// The window's tooltip control, made when first wanted: when the mouse first comes over the
// window, or when the M box first gets its note. Only a mouse at rest shows a tip, and made with
// the window it would hold the window's start back.
HWND ToolTips(HWND form) {
  Form1State& state = StateOf(form);
  if (state.tooltip) return state.tooltip;
  state.tooltip = CreateWindowExW(
      WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form, nullptr,
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(form, GWLP_HINSTANCE)), nullptr);
  SendMessageW(state.tooltip, WM_SETFONT,
               reinterpret_cast<WPARAM>(FontOf(state.fonts, Face::kDefault)), FALSE);
  for (const Control& control : form::DesktopControls()) {
    if (!control.tooltip.empty())
      SetToolTip(form, ControlHandle(form, control.name), control.tooltip);
  }
  return state.tooltip;
}

AccessibilityServices MakeAccessibilityServices() {
  return AccessibilityServices(
      static_cast<IAccPropServices*>(CreateComObject(CLSID_AccPropServices, IID_IAccPropServices)));
}

// Gives `control` an accessible property, its name or its description, for screen readers; an
// empty text takes it away.
void SetAccessibleProperty(HWND form, HWND control, const MSAAPROPID& property,
                           std::string_view text) {
  if (accessible_property) return accessible_property(control, property, text);
  IAccPropServices* services = StateOf(form).accessibility.get();
  if (!services) return;  // no accessibility runtime: nobody asks
  if (text.empty()) {
    services->ClearHwndProps(control, OBJID_CLIENT, CHILDID_SELF, &property, 1);
  } else {
    services->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF, property, Widen(text).c_str());
  }
}

// Each control that takes the focus is named for screen readers as the layout names it; the wire
// box's edit field and list too, where the focus is while the user types or picks. The labels lie
// beneath the boxes in z-order, where screen readers do not look for them, so the names are given
// explicitly.
void NameFocusableControls(HWND form) {
  for (const Control* control : form::TabOrder()) {
    HWND handle = ControlHandle(form, control->name);
    const std::string name = form::AccessibleName(*control);
    SetAccessibleProperty(form, handle, PROPID_ACC_NAME, name);
    COMBOBOXINFO combo{sizeof combo};
    if (control->kind == ControlKind::kComboBox && GetComboBoxInfo(handle, &combo)) {
      SetAccessibleProperty(form, combo.hwndItem, PROPID_ACC_NAME, name);
      SetAccessibleProperty(form, combo.hwndList, PROPID_ACC_NAME, name);
    }
  }
}

LRESULT OnCreate(HWND form) {
  auto state = std::make_unique<Form1State>();
  state->locale = UserNumberLocale();
  state->line_brush.reset(CreateSolidBrush(ColourRef(*form::ControlNamed("Line1").colour)));
  SetWindowLongPtrW(form, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state.release()));
  FitClientArea(form);
  CreateControls(form);
  FillWireList(ControlHandle(form, "txtd0"));
  SetFonts(form);
  FitWireBox(form);
  StateOf(form).focus = ControlHandle(form, form::TabOrder().front()->name);
  return 0;
}

// Only screen readers need the accessibility runtime, and loading it at start would hold the
// window back. A screen reader asks the window itself first, for its caption, when it comes to
// the foreground or when the reader starts, before it reads any of its controls: the controls get
// their names then.
void OnGetObject(HWND form) {
  if (!GetWindowLongPtrW(form, GWLP_USERDATA)) return;  // still being made, or gone
  Form1State& state = StateOf(form);
  if (state.named) return;
  state.named = true;
  state.accessibility = MakeAccessibilityServices();
  NameFocusableControls(form);
}

void ShowFailure(HWND form, const form::FailureMessage& message) {
  message_box(form, Widen(message.what_failed + "\n\n" + message.reason).c_str(),
              Widen(form::kWindowCaption).c_str(), MB_OK | MB_ICONWARNING);
}

// Windows reports a change of an edit control's text also when a text is replaced by the same
// text; the shared handlers write only texts that change, so Text8's second pass ends there.
void Show(HWND form, const form::HandlerOutcome& outcome) {
  HWND txtm = ControlHandle(form, "txtm");
  if (outcome.m_note) {
    SetToolTip(form, txtm, *outcome.m_note);
    SetAccessibleProperty(form, txtm, PROPID_ACC_DESCRIPTION, *outcome.m_note);
  }
  if (outcome.failure) return ShowFailure(form, *outcome.failure);
  for (const auto& [name, text] : outcome.writes) {
    HWND box = ControlHandle(form, name);
    SetText(box, text);  // raises the box's change, as typing does
    const auto end = static_cast<WPARAM>(GetWindowTextLengthW(box));
    SendMessageW(box, EM_SETSEL, end, static_cast<LPARAM>(end));
  }
}

void Run(HWND form, const form::Handler& handler) {
  std::vector<std::string> texts;
  for (const std::string_view box : handler.reads) texts.push_back(BoxText(form, box));
  Show(form, handler.run(texts, StateOf(form).locale));
}

void Command9_Click(HWND form) { Run(form, form::kCommand9_Click); }

void Text8_Change(HWND form) { Run(form, form::kText8_Change); }

void Command101_Click(HWND form) { Run(form, form::kCommand101_Click); }

void Command7_Click(HWND form) { PrintWithDialog(form); }

void Judge_Click(HWND form) { Run(form, form::kJudge_Click); }

struct Handler {
  std::string_view control;
  WORD notification;
  void (*handle)(HWND form);
};

// clang-format off
constexpr Handler kHandlers[] = {
    {"Command9",              BN_CLICKED, Command9_Click},
    {"Text8",                 EN_CHANGE,  Text8_Change},
    {"Command101",            BN_CLICKED, Command101_Click},
    {"Command7",              BN_CLICKED, Command7_Click},
    {form::kJudgeButton.name, BN_CLICKED, Judge_Click},
};
// clang-format on

void OnCommand(HWND form, int id, WORD notification) {
  const Control* control = ControlWithId(id);
  if (!control) return;
  for (const Handler& handler : kHandlers) {
    if (handler.control == control->name && handler.notification == notification) {
      handler.handle(form);
    }
  }
}

// Whether the user has turned on a high-contrast theme, whose colours then rule every control.
bool HighContrast() {
  HIGHCONTRASTW contrast{sizeof contrast};
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

// Labels and frames keep the window's background; a coloured control gets its text colour, and
// the line is filled with its own. A high-contrast theme keeps its own text colours: the drawn
// blues would be unreadable on its black boxes.
LRESULT OnControlColour(HWND form, UINT message, HDC dc, HWND window) {
  const Control* control = ControlWithId(GetDlgCtrlID(window));
  if (control && control->kind == ControlKind::kLine) {
    return reinterpret_cast<LRESULT>(StateOf(form).line_brush.get());
  }
  const LRESULT brush =
      DefWindowProcW(form, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window));
  if (control && control->colour && !HighContrast()) SetTextColor(dc, ColourRef(*control->colour));
  return brush;
}

// As in a dialog, the focus leaves with the window and comes back to the same control.
void OnActivate(HWND form, WORD activation) {
  Form1State& state = StateOf(form);
  if (activation != WA_INACTIVE) {
    SetFocus(state.focus);
  } else if (HWND focus = GetFocus(); focus && IsChild(form, focus)) {
    state.focus = focus;
  }
}

void OnDpiChanged(HWND form, const RECT& suggested) {
  SetWindowPos(form, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  ScaleToDpi(form);
}

void OnNcDestroy(HWND form) {
  delete reinterpret_cast<Form1State*>(SetWindowLongPtrW(form, GWLP_USERDATA, 0));
}

LRESULT CALLBACK Form1Procedure(HWND form, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate(form);
    case WM_COMMAND:
      OnCommand(form, LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      return OnControlColour(form, message, reinterpret_cast<HDC>(wparam),
                             reinterpret_cast<HWND>(lparam));
    case WM_ACTIVATE:
      OnActivate(form, LOWORD(wparam));
      return 0;
    case kWmDpiChanged:
      OnDpiChanged(form, *reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_GETOBJECT:
      OnGetObject(form);
      break;
    case WM_SETCURSOR:  // the mouse over the window, or over a control of it
      ToolTips(form);
      break;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      OnNcDestroy(form);
      break;
  }
  return DefWindowProcW(form, message, wparam, lparam);
}

void RegisterForm1Class(HINSTANCE instance) {
  static const ATOM registered = [instance] {
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    const auto icon = [instance](int metric) {
      const int size = GetSystemMetrics(metric);
      return static_cast<HICON>(
          LoadImageW(instance, MAKEINTRESOURCEW(IDI_THREEWIRE), IMAGE_ICON, size, size, LR_SHARED));
    };
    WNDCLASSEXW window_class{sizeof window_class};
    window_class.lpfnWndProc = Form1Procedure;
    window_class.hInstance = instance;
    window_class.hIcon = icon(SM_CXICON);
    window_class.hIconSm = icon(SM_CXSMICON);
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    window_class.lpszClassName = kClassName;
    return RegisterClassExW(&window_class);
  }();
  (void)registered;
}

bool IsPanelBox(HWND form, HWND window) {
  return std::ranges::any_of(form::PanelInputs(), [&](const form::PanelItem& box) {
    return ControlHandle(form, box.name) == window;
  });
}

bool IsKeyDown(const MSG& message, WPARAM key) {
  return message.message == WM_KEYDOWN && message.wParam == key;
}

}  // namespace

HWND CreateForm1(HINSTANCE instance) {
  RegisterForm1Class(instance);
  return CreateWindowExW(0, kClassName, Widen(form::kWindowCaption).c_str(), kStyle, CW_USEDEFAULT,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance,
                         nullptr);
}

bool HandleForm1Keys(HWND form, MSG& message) {
  if (IsChild(form, message.hwnd)) {
    // Not every edit control selects its whole text on Ctrl+A by itself. AltGr is Ctrl+Alt, and
    // AltGr+A types a letter on some layouts (ą in Polish): that A goes on to the box.
    if (IsKeyDown(message, 'A') && GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0 &&
        IsOfClass(message.hwnd, WC_EDITW)) {
      SendMessageW(message.hwnd, EM_SETSEL, 0, -1);
      return true;
    }
    // The dialog manager would send IDOK for Enter; it presses the focused button, as Space does,
    // and in one of the panel's boxes it judges, as 判定 does.
    if (IsKeyDown(message, VK_RETURN) && IsOfClass(message.hwnd, WC_BUTTONW)) {
      SendMessageW(message.hwnd, BM_CLICK, 0, 0);
      return true;
    }
    if (IsKeyDown(message, VK_RETURN) && IsPanelBox(form, message.hwnd)) {
      Judge_Click(form);
      return true;
    }
  }
  return IsDialogMessageW(form, &message);
}

HWND ControlHandle(HWND form, std::string_view name) {
  return GetDlgItem(form, IdOf(form::ControlNamed(name)));
}

}  // namespace threewire::win32
