// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <string>

// Functions the program finds at run time: those of Windows later than XP, and those of libraries
// it loads only when first wanted.
namespace threewire::win32 {

// A library of the system's own folder, loaded by its full path so that no file of the same name
// beside the program stands in for it; null where this Windows has none.
inline HMODULE SystemLibrary(const wchar_t* name) {
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  return LoadLibraryW((std::wstring(folder, length) + L"\\" + name).c_str());
}

// The function `name` of `library`, as a pointer of type Function; null where either is missing.
template <typename Function>
Function Lookup(HMODULE library, const char* name) {
  return library
             ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)))
             : nullptr;
}

}  // namespace threewire::win32
