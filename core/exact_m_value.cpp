// SPDX-License-Identifier: MIT
#include "exact_m_value.h"

#include "lead_correction.h"

namespace threewire {

Result<double> ComputeExactMValue(std::string_view pitch, std::string_view starts,
                                  std::string_view pitch_diameter, std::string_view wire_diameter,
                                  std::string_view profile_angle) {
  StepCheck check;
  const LeadThread thread = ReadLeadThread(MModel::kConverged, pitch, starts, pitch_diameter,
                                           wire_diameter, profile_angle, check);
  const double M = ModelM(MModel::kConverged, thread, check);
  if (check.failure()) return std::unexpected(*check.failure());
  return M;
}

}  // namespace threewire
