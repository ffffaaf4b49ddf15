// SPDX-License-Identifier: MIT
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "failure.h"

namespace threewire::form {

// The two calculators of Form1.
enum class Calculator { kBestWireDiameter, kMValue };

// What a message box says when a calculation fails, in Chinese (UTF-8): the headline, and why,
// naming the boxes to check by the captions the window shows beside them.
struct FailureMessage {
  std::string what_failed;  // "无法计算M值。"
  std::string reason;       // "牙形角…\n请检查“输入牙形角”。"
};

// `empty_boxes` are the boxes the calculation read that the user left empty: the message asks for
// them first, and says no more where they are all the failure is about.
FailureMessage DescribeFailure(Calculator calculator, Failure failure,
                               std::span<const std::string_view> empty_boxes = {});

}  // namespace threewire::form
