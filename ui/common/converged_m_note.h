// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace threewire::form {

// What the M box's tooltip says after a successful 显示M值: the converged M of the same model, to
// four decimals, and how far the shown M is from it, in Chinese (UTF-8):
// "迭代收敛解：M = 62.3695 mm（显示值与之相差 0.062 mm）". The inputs are the five box texts as
// ComputeMValue reads them; empty where the iteration fails.
std::string ConvergedMNote(std::string_view pitch, std::string_view starts,
                           std::string_view pitch_diameter, std::string_view wire_diameter,
                           std::string_view profile_angle, std::string_view shown_m_text);

}  // namespace threewire::form
