// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

#include "failure.h"
#include "number_locale.h"

namespace threewire {

struct MValueResult {
  std::string lead_angle_text;  // degrees, exactly three decimals: "3.028"
  std::string m_text;           // millimetres, spaced form: " 10.327"
};

// The measurement over three wires of an external thread, with the thread's lead taken into
// account, and the thread's lead angle. Inputs are the box texts, read leniently: pitch (mm per
// thread), number of starts, theoretical pitch diameter (mm), wire diameter (mm), profile angle
// (degrees). Stops at the first step that divides by zero or leaves the binary64 range.
Result<MValueResult> ComputeMValue(std::string_view pitch, std::string_view starts,
                                   std::string_view pitch_diameter, std::string_view wire_diameter,
                                   std::string_view profile_angle, const NumberLocale& locale = {});

}  // namespace threewire
