// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <string_view>

// The calculator's only window, Form1: the best-wire-diameter calculator above, the M-value
// calculator below, a note and a welcome line at the bottom, every control where the layout table
// puts it. The texts of its boxes are the program's only state; each handler reads the boxes its
// shared handler names, runs it, and shows what it says.
namespace threewire::win32 {

// Creates the window, not yet shown. Destroying it posts the thread's quit message.
HWND CreateForm1(HINSTANCE instance);

// Gives a keyboard message its meaning in the window: Tab and Shift+Tab walk the tab order,
// Enter and Space press the focused button, Ctrl+A selects a box's whole text. True when the
// message is used up; otherwise the message loop translates and dispatches it.
bool HandleForm1Keys(HWND form, MSG& message);

// Shows a failure message owned by the window: MessageBoxW, unless a test has put a recorder here
// that reads the message without a modal loop.
inline decltype(&MessageBoxW) message_box = MessageBoxW;

// Gives a control an accessible property, its name or its description, through the accessibility
// runtime, unless a test has put a recorder here: Wine's runtime keeps no such properties.
inline void (*accessible_property)(HWND control, const GUID& property,
                                   std::string_view text) = nullptr;

// A control of the window by its name in the layout table: ControlHandle(form, "txtt").
HWND ControlHandle(HWND form, std::string_view name);

}  // namespace threewire::win32
