// SPDX-License-Identifier: MIT
#include "m_value.h"

#include <cmath>

#include "lead_correction.h"
#include "number_format.h"

namespace threewire {

Result<MValueResult> ComputeMValue(std::string_view pitch, std::string_view starts,
                                   std::string_view pitch_diameter, std::string_view wire_diameter,
                                   std::string_view profile_angle, const NumberLocale& locale) {
  StepCheck check;
  const LeadThread thread = ReadLeadThread(MModel::kOneStep, pitch, starts, pitch_diameter,
                                           wire_diameter, profile_angle, check);
  const double M = ModelM(MModel::kOneStep, thread, check);
  const double psi = std::atan(
      check.Divide(thread.P * thread.n, thread.pi * thread.d2, InputToCheck::kPitchDiameter));
  if (check.failure()) return std::unexpected(*check.failure());

  auto m_text = FormatSpaced(FormatFixed(M, 3, locale), locale);
  if (!m_text) return std::unexpected(m_text.error());
  return MValueResult{FormatFixed((psi * 180) / thread.pi, 3, locale), std::move(*m_text)};
}

}  // namespace threewire
