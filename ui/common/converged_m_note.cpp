// SPDX-License-Identifier: MIT
#include "converged_m_note.h"

#include <cmath>

#include "exact_m_value.h"
#include "number_format.h"
#include "number_parse.h"

namespace threewire::form {

std::string ConvergedMNote(std::string_view pitch, std::string_view starts,
                           std::string_view pitch_diameter, std::string_view wire_diameter,
                           std::string_view profile_angle, std::string_view shown_m_text) {
  const auto exact =
      ComputeExactMValue(pitch, starts, pitch_diameter, wire_diameter, profile_angle);
  const auto shown = ParseStrict(shown_m_text);  // the spaced form always has a point
  if (!exact || !shown) return "";
  return "迭代收敛解：M = " + FormatFixed(*exact, 4) + " mm（显示值与之相差 " +
         FormatFixed(std::fabs(*shown - *exact), 3) + " mm）";
}

}  // namespace threewire::form
