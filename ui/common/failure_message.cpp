// SPDX-License-Identifier: MIT
#include "failure_message.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "form1_layout.h"

namespace threewire::form {
namespace {

using enum InputToCheck;

// The box each calculator reads for an input.
std::string_view BoxOf(Calculator calculator, InputToCheck input) {
  if (calculator == Calculator::kBestWireDiameter) {
    return input == kPitch ? "Text6" : input == kProfileAngle ? "Text7" : "";
  }
  switch (input) {
    case kPitch:
      return "txtt";
    case kStarts:
      return "txtn";
    case kPitchDiameter:
      return "txtd2";
    case kWireDiameter:
      return "txtd0";
    case kProfileAngle:
      return "txtr";
    case kPitchOrStarts:
    case kNone:
      break;
  }
  return "";
}

// The boxes the failure is about.
std::vector<std::string_view> BoxesToCheck(Calculator calculator, InputToCheck input) {
  const std::vector<InputToCheck> inputs =
      input == kPitchOrStarts ? std::vector{kPitch, kStarts} : std::vector{input};
  std::vector<std::string_view> boxes;
  for (const InputToCheck each : inputs) {
    const std::string_view box = BoxOf(calculator, each);
    if (!box.empty()) boxes.push_back(box);
  }
  return boxes;
}

// Boxes by the captions the window shows beside them: “输入螺距”.
std::vector<std::string> Quoted(std::span<const std::string_view> boxes) {
  std::vector<std::string> quoted;
  for (const std::string_view box : boxes) {
    quoted.push_back("“" + std::string(CaptionOf(box)) + "”");
  }
  return quoted;
}

std::string Join(const std::vector<std::string>& parts, std::string_view separator) {
  std::string joined;
  for (const std::string& part : parts) {
    if (!joined.empty()) joined += separator;
    joined += part;
  }
  return joined;
}

// The quantity a box holds, as the user calls it.
std::string_view Quantity(InputToCheck input) {
  switch (input) {
    case kPitch:
      return "螺距";
    case kStarts:
      return "线数";
    case kPitchOrStarts:
      return "螺距和线数";
    case kPitchDiameter:
      return "中径";
    case kWireDiameter:
      return "三针直径";
    case kProfileAngle:
      return "牙形角";
    case kNone:
      break;
  }
  return "";
}

std::string WhatWentWrong(Failure failure, const std::vector<std::string>& boxes) {
  const std::string quantity(Quantity(failure.input));
  switch (failure.kind) {
    case FailureKind::kNotANumber:
      return Join(boxes, "或") + "中没有填写有效的数。";
    case FailureKind::kDivisionByZero:
      if (failure.input == kProfileAngle) return "这个牙形角使计算除以零（例如0°或180°）。";
      if (quantity.empty()) return "计算中出现了除以零。";
      return quantity + "不能为零，也不能空着。";
    case FailureKind::kOutOfRange:
      if (quantity.empty()) return "计算中的数值超出了范围。";
      return quantity + "的数值太大，超出了计算范围。";
    case FailureKind::kNoConvergence:
      return "迭代计算没有收敛。";
  }
  return "";
}

}  // namespace

FailureMessage DescribeFailure(Calculator calculator, Failure failure,
                               std::span<const std::string_view> empty_boxes) {
  const std::vector<std::string_view> to_check = BoxesToCheck(calculator, failure.input);
  const std::vector<std::string> boxes = Quoted(to_check);
  const std::string check =
      boxes.empty() ? "请检查输入的数值。" : "请检查" + Join(boxes, "和") + "。";
  std::string reason = WhatWentWrong(failure, boxes) + "\n" + check;
  if (!empty_boxes.empty()) {
    // An empty box is the plain fact behind most failures of a fresh window; what the arithmetic
    // then ran into follows only where it concerns a box that holds something.
    const std::string fill = "请填写" + Join(Quoted(empty_boxes), "、") + "。";
    const bool only_empty_boxes = std::ranges::all_of(to_check, [&](std::string_view box) {
      return std::ranges::find(empty_boxes, box) != empty_boxes.end();
    });
    reason = only_empty_boxes ? fill : fill + "\n" + reason;
  }
  return {calculator == Calculator::kMValue ? "无法计算M值。" : "无法计算理论三针直径。", reason};
}

}  // namespace threewire::form
