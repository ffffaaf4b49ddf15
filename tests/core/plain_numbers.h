// SPDX-License-Identifier: MIT
// Locale-independent number texts for the tests, unlike std::to_string and strtod, which follow
// the C locale that the comma-decimal run of the suite sets.
#pragma once

#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

namespace threewire::testing_support {

// The shortest text that reads back as `value`.
inline std::string Shortest(double value) {
  char buffer[32];
  return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

// The number in a result text, leading blanks skipped; NaN if there is none.
inline double ReadNumber(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  double value = NAN;
  if (first != std::string_view::npos)
    std::from_chars(text.data() + first, text.data() + text.size(), value);
  return value;
}

}  // namespace threewire::testing_support
