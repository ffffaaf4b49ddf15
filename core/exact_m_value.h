// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

#include "failure.h"

namespace threewire {

// The measurement over three wires (mm) of the same model as ComputeMValue, solved exactly: the
// correction step for the lead is repeated until the contact radius moves by less than 1e-12 mm,
// with the full-precision pi and unrounded angle functions, and nothing is rounded to text or to
// single precision. Same box texts, read the same way. Fails like ComputeMValue where the same
// step fails, and with kNoConvergence when the steps do not settle.
Result<double> ComputeExactMValue(std::string_view pitch, std::string_view starts,
                                  std::string_view pitch_diameter, std::string_view wire_diameter,
                                  std::string_view profile_angle);

}  // namespace threewire
