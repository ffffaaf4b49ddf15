// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

#include "failure.h"
#include "number_locale.h"

namespace threewire {

// The theoretical best measuring-wire diameter P / (2 cos(α/2)) in general form, unrounded.
// Both texts are read strictly, the profile angle (degrees) first, then the pitch (mm per thread).
Result<std::string> ComputeBestWireDiameter(std::string_view pitch, std::string_view profile_angle,
                                            const NumberLocale& locale = {});

}  // namespace threewire
