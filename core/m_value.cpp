// SPDX-License-Identifier: MIT
#include "m_value.h"

#include <cmath>

#include "lead_correction.h"
#include "number_format.h"

namespace threewire {
namespace {

// The rules use this short value of pi everywhere, the conversion back to degrees included.
constexpr double kPi = 3.1415926;

// The rules round the half profile angle in radians, and its functions, to six decimals.
double RoundToSixDecimals(double value) { return RoundTripFixed(value, 6); }

}  // namespace

Result<MValueResult> ComputeMValue(std::string_view pitch, std::string_view starts,
                                   std::string_view pitch_diameter, std::string_view wire_diameter,
                                   std::string_view profile_angle, const NumberLocale& locale) {
  using enum InputToCheck;
  StepCheck check;
  const LeadThread thread = ReadLeadThread(pitch, starts, pitch_diameter, wire_diameter,
                                           profile_angle, kPi, RoundToSixDecimals, check);

  // First estimate, then exactly one correction step for the helix.
  const double rho1 = CorrectRadius(thread, RadiusWithoutLead(thread, check), check);
  const WirePlace wire = PlaceWire(thread, rho1, check);
  // The rules keep h1 in single precision; its square below is taken in double.
  const double h1 = check.Finite(static_cast<float>(wire.h), kWireDiameter);
  const double M = check.Finite(MOverWires(wire.g, h1, thread.d0));

  const double psi = std::atan(check.Divide(thread.P * thread.n, kPi * thread.d2, kPitchDiameter));
  if (check.failure()) return std::unexpected(*check.failure());

  auto m_text = FormatSpaced(FormatFixed(M, 3, locale), locale);
  if (!m_text) return std::unexpected(m_text.error());
  return MValueResult{FormatFixed((psi * 180) / kPi, 3, locale), std::move(*m_text)};
}

}  // namespace threewire
