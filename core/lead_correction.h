// SPDX-License-Identifier: MIT
// The model behind the M value of a thread with lead: the wire touches both flanks of a helical
// groove, and a radius ρ (mm) of the contact is found by correction steps from the estimate
// without lead. The shown M takes one step with a short pi and rounded angle functions; the
// converged M repeats the same step with full precision. Each step exists once, here, with every
// expression's operations in the order the shown M has always used.
#pragma once

#include <string_view>

#include "step_check.h"

namespace threewire {

// One thread's numbers as the steps use them. Lengths in mm; c, s, t are the cosine, sine and
// tangent of the half profile angle.
struct LeadThread {
  double pi;  // the value of pi the calculation uses throughout
  double c, s, t;
  double P;   // pitch
  double n;   // starts, fractional ones taken as typed
  double d2;  // theoretical pitch diameter
  double d0;  // wire diameter
  double L;   // lead n × P
};

// The two ways of solving the model: the window's, which the shown M has always taken, and the
// converged one.
enum class MModel {
  kOneStep,    // pi as 3.1415926, the half angle and its functions rounded to six decimals, one
               // correction step, h in single precision
  kConverged,  // full precision, steps repeated until the radius settles
};

// Reads the five box texts leniently, refusing values beyond the binary64 range, and derives the
// angle functions from the profile angle (degrees), with the model's pi and rounding.
LeadThread ReadLeadThread(MModel model, std::string_view pitch, std::string_view starts,
                          std::string_view pitch_diameter, std::string_view wire_diameter,
                          std::string_view profile_angle, StepCheck& check);

// M over the wires (mm) by the model, unrounded. Records kNoConvergence where the converged
// model's steps do not settle.
double ModelM(MModel model, const LeadThread& thread, StepCheck& check);

// ρ for a thread without lead, the start of the correction: d2/(2c) − P/(4s) + d0/(2t).
double RadiusWithoutLead(const LeadThread& thread, StepCheck& check);

// Where the wire's centre lies for a radius ρ: S = sqrt(4π²ρ² + L²) is the length of one turn of
// the helix at ρ stretched flat; g and h are the two components of the centre's distance from
// the axis, sqrt(g² + h²). h = −L d0 / (2S) is not yet checked for finiteness: the shown M keeps it
// in single precision first.
struct WirePlace {
  double S, g, h;
};
WirePlace PlaceWire(const LeadThread& thread, double rho, StepCheck& check);

// One correction step: ρ − L Δ / (2π s), Δ = A − B the mismatch of the two contact conditions.
double CorrectRadius(const LeadThread& thread, double rho, StepCheck& check);

}  // namespace threewire
