// SPDX-License-Identifier: MIT
#pragma once

#include <charconv>
#include <system_error>

// libc++ (16, the WebAssembly build's library) has no std::from_chars for floating point. The
// fast_float header is the algorithm GCC's libstdc++ uses for it; both round correctly, so every
// build reads each decimal as the same binary64 value.
#if defined(_LIBCPP_VERSION)
#include <fast_float/fast_float.h>
#endif

namespace threewire {

// std::from_chars for a double in general format, decimal text only.
inline std::errc ReadDouble(const char* first, const char* last, double& value) {
#if defined(_LIBCPP_VERSION)
  return fast_float::from_chars(first, last, value).ec;
#else
  return std::from_chars(first, last, value).ec;
#endif
}

}  // namespace threewire
