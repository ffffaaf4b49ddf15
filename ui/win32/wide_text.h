// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// The core and the layout table speak UTF-8; Windows' W functions speak UTF-16.
namespace threewire::win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// A window's text (a box's contents, a label's caption) as UTF-8, and back.
std::string TextOf(HWND window);
void SetText(HWND window, std::string_view utf8);

}  // namespace threewire::win32
