// SPDX-License-Identifier: MIT
// Runs the core tests under the locale named by THREEWIRE_TEST_LOCALE, if set. The window's
// toolkit sets the C locale from the environment at start, and the core must read and write the
// same numbers under a comma-decimal locale as under "C".
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
  const char* name = std::getenv("THREEWIRE_TEST_LOCALE");
  if (name &&
      (!std::setlocale(LC_ALL, name) || std::strcmp(std::localeconv()->decimal_point, ","))) {
    std::fprintf(stderr, "locale %s with a decimal comma is not available\n", name);
    return 2;
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
