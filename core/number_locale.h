// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace threewire {

// How the user's number settings write a number. Each separator is UTF-8 text and may be one
// multi-byte character (a no-break space U+00A0 or a narrow no-break space U+202F as the group
// separator, say). An empty separator means the locale has none.
struct NumberLocale {
  std::string decimal_separator = ".";
  std::string group_separator = ",";
};

}  // namespace threewire
