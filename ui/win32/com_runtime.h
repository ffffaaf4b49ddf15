// SPDX-License-Identifier: MIT
#pragma once

#include <objbase.h>

// COM, which the print dialog and the accessibility runtime are made of. Only they need it, so its
// library, ole32, is loaded when one of them is first wanted, not at every start.
namespace threewire::win32 {

// Puts the window's thread in a single-threaded apartment, once; the apartment lasts until the
// program ends. A thread already in an apartment keeps it, which serves as well.
void EnterComApartment();

// An in-process object of `clsid`, by its interface `iid`, in that apartment; null where COM or the
// object is missing.
void* CreateComObject(const CLSID& clsid, const IID& iid);

}  // namespace threewire::win32
