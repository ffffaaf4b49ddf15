// SPDX-License-Identifier: MIT
#include "com_runtime.h"

#include "system_library.h"

namespace threewire::win32 {
namespace {

HMODULE Ole32() {
  static const HMODULE ole32 = SystemLibrary(L"ole32.dll");
  return ole32;
}

}  // namespace

void EnterComApartment() {
  static const bool entered = [] {
    const auto initialize = Lookup<decltype(&CoInitializeEx)>(Ole32(), "CoInitializeEx");
    return initialize && SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED));
  }();
  (void)entered;
}

void* CreateComObject(const CLSID& clsid, const IID& iid) {
  EnterComApartment();
  const auto create = Lookup<decltype(&CoCreateInstance)>(Ole32(), "CoCreateInstance");
  void* object = nullptr;
  if (create) create(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, &object);
  return object;
}

}  // namespace threewire::win32
