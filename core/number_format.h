// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

#include "failure.h"
#include "number_locale.h"

namespace threewire {

// Writes `value` with exactly `decimals` digits after the locale's decimal separator. The value is
// first written with 15 significant digits, and that decimal is rounded half away from zero, so
// 1.0005 gives "1.001" although its binary form lies a hair below the halfway point. No grouping,
// no exponent, a zero before the separator below 1, a minus sign only for a result that is not 0.
std::string FormatFixed(double value, int decimals, const NumberLocale& locale = {});

// The same for a text that ParseStrict accepts; any other text, the empty one included, comes back
// unchanged.
std::string FormatFixed(std::string_view text, int decimals, const NumberLocale& locale = {});

// At most 15 significant digits, trailing zeros (and a bare separator) removed, a zero before the
// separator below 1, exponent notation only where the plain form would need more than 15 digits.
std::string FormatGeneral(double value, const NumberLocale& locale = {});

// Like FormatGeneral, but always with "." as the point, no zero before it below 1, and one leading
// space for a number that is not negative: 0.5 gives " .5", -0.5 gives "-.5", 10.3 gives " 10.3".
std::string FormatSpaced(double value);

// The same for a text, read with ParseStrict; fails where ParseStrict fails.
Result<std::string> FormatSpaced(std::string_view text, const NumberLocale& locale = {});

// The binary64 value nearest to the decimal that FormatFixed writes: the value rounded through
// its fixed-decimal text.
double RoundTripFixed(double value, int decimals);

}  // namespace threewire
