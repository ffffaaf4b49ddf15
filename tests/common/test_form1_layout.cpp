// SPDX-License-Identifier: MIT
// Form1's table as every window takes it: the controls that take the focus, in the order Tab
// walks them, and the name a screen reader hears for each.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "form1_layout.h"

namespace threewire::form {
namespace {

// From 打 印, where the window opens, up through the M calculator and the best-wire calculator to
// the welcome note. A box is heard by the caption beside it (the wire box by 输入实际三针直径),
// the welcome note, which has none, as 欢迎信息, and a button by its caption.
TEST(Form1Layout, TabOrderAndScreenReaderNames) {
  using Named = std::pair<std::string_view, std::string_view>;
  // clang-format off
  const std::vector<Named> expected = {
      {"Command7", "打 印"}, {"txtd0", "输入实际三针直径"}, {"Text101", "螺纹升角"}, {"Command101", "显示M值"},
      {"txtm", "M值"}, {"txtr", "输入牙形角"}, {"txtd2", "输入外螺纹理论中径值(不含公差)"}, {"txtn", "输入线数"},
      {"txtt", "输入螺距"}, {"Command9", "显示"}, {"Text8", "显示理论三针直径"}, {"Text7", "输入螺纹牙形角"},
      {"Text6", "输入螺距"}, {"Text3", "欢迎信息"}};
  // clang-format on
  std::vector<Named> order;
  for (const Control* control : TabOrder())
    order.emplace_back(control->name, AccessibleName(*control));
  EXPECT_EQ(order, expected);
}

}  // namespace
}  // namespace threewire::form
