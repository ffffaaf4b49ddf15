// SPDX-License-Identifier: MIT
#pragma once

#include <objbase.h>

namespace threewire::win32 {

// The print dialog and the accessibility runtime are COM objects, which want the window's thread
// in a single-threaded apartment. Only they need COM, so it is loaded when one of them is first
// wanted, not at every start; the apartment lasts until the program ends.
inline void EnterComApartment() {
  static const HRESULT entered = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  (void)entered;  // a thread already in an apartment keeps it, which serves as well
}

}  // namespace threewire::win32
