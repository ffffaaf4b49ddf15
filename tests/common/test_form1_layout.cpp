// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "form1_layout.h"

namespace threewire::form {
namespace {

// A screen reader names each control that takes the focus; what a box holds is no name.
TEST(Form1Layout, NamesEveryControlThatTakesTheFocus) {
  for (const Control* control : TabOrder()) {
    const std::string_view name = AccessibleName(*control);
    EXPECT_FALSE(name.empty() || (control->kind != ControlKind::kButton && name == control->text))
        << control->name;
  }
}

}  // namespace
}  // namespace threewire::form
