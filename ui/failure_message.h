// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include "failure.h"

// The captions of the labels that name a calculator's input boxes, so that a message can point
// the user at a box in the words the window shows. A calculator leaves out the boxes it lacks.
struct InputBoxNames {
  QString pitch = {};
  QString starts = {};
  QString pitch_diameter = {};
  QString wire_diameter = {};
  QString profile_angle = {};
};

// Why a calculation failed and which boxes to check, in Chinese, for a message box.
QString FailureReason(threewire::Failure failure, const InputBoxNames& names);
