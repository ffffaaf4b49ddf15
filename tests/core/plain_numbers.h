// SPDX-License-Identifier: MIT
// Locale-independent number texts for the tests, unlike std::to_string, which follows the C
// locale that the comma-decimal run of the suite sets.
#pragma once

#include <charconv>
#include <string>

namespace threewire::testing_support {

// The shortest text that reads back as `value`.
inline std::string Shortest(double value) {
  char buffer[32];
  return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

}  // namespace threewire::testing_support
