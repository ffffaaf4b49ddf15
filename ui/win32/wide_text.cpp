// SPDX-License-Identifier: MIT
#include "wide_text.h"

namespace threewire::win32 {

std::wstring Widen(std::string_view utf8) {
  const int length = static_cast<int>(utf8.size());
  std::wstring wide(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), static_cast<int>(wide.size()));
  return wide;
}

std::string Narrow(std::wstring_view utf16) {
  const int length = static_cast<int>(utf16.size());
  std::string narrow(
      WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, nullptr, 0, nullptr, nullptr), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, narrow.data(),
                      static_cast<int>(narrow.size()), nullptr, nullptr);
  return narrow;
}

std::string TextOf(HWND window) {
  std::wstring text(GetWindowTextLengthW(window) + 1, L'\0');
  text.resize(GetWindowTextW(window, text.data(), static_cast<int>(text.size())));
  return Narrow(text);
}

void SetText(HWND window, std::string_view utf8) { SetWindowTextW(window, Widen(utf8).c_str()); }

}  // namespace threewire::win32
