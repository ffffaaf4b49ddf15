// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

#include "failure.h"
#include "lead_correction.h"

// The inspector's question turned round: from the M measured over the wires back to the pitch
// diameter, by either way of solving the model. The thread is the M calculator's: pitch, starts,
// wire diameter and profile angle as their box texts, read as 显示M值 reads them.
namespace threewire {

struct ThreadTexts {
  std::string_view pitch, starts, wire_diameter, profile_angle;
};

// M over the wires (mm) of the thread with pitch diameter `pitch_diameter` (mm), by `model`,
// unrounded. The one-step M rounded to three decimals gives the digits 显示M值 shows.
Result<double> MForPitchDiameter(MModel model, const ThreadTexts& thread, double pitch_diameter);

// The pitch diameter (mm) whose M by `model` is `m` (mm), to within 1e-7 mm of M: M grows with the
// pitch diameter at a rate close to one, so a few secant steps find it. Fails as the M
// calculation fails, with kNoConvergence where the steps do not come that near, and with
// kOutOfRange where no positive pitch diameter has that M.
Result<double> PitchDiameterForM(MModel model, const ThreadTexts& thread, double m);

}  // namespace threewire
