// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

#include "failure.h"
#include "number_locale.h"

namespace threewire {

// Reads the longest leading part of `text` that forms a number and ignores the rest; never fails.
// Spaces, tabs and line feeds are skipped wherever they stand, "." is the only decimal point
// whatever the locale, and a text that does not begin with a number reads as 0. A value beyond
// the binary64 range reads as ±infinity, which the calculations refuse.
double ParseLenient(std::string_view text);

// Accepts `text` only if, apart from leading and trailing blanks, the whole of it is one number
// written the locale's way: a sign, digits with group separators between them, the decimal
// separator, more digits, an exponent. Fails with kNotANumber otherwise, and with kOutOfRange for
// a value beyond the binary64 range. The failure names no input; the caller knows which box it
// read.
Result<double> ParseStrict(std::string_view text, const NumberLocale& locale = {});

}  // namespace threewire
