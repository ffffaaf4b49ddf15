// SPDX-License-Identifier: MIT
#include "failure_message.h"

#include <QStringList>

namespace {

using threewire::FailureKind;
using threewire::InputToCheck;

QString Quoted(const QString& caption) { return QStringLiteral("“%1”").arg(caption); }

QStringList BoxesToCheck(InputToCheck input, const InputBoxNames& names) {
  switch (input) {
    case InputToCheck::kPitch:
      return {Quoted(names.pitch)};
    case InputToCheck::kStarts:
      return {Quoted(names.starts)};
    case InputToCheck::kPitchOrStarts:
      return {Quoted(names.pitch), Quoted(names.starts)};
    case InputToCheck::kPitchDiameter:
      return {Quoted(names.pitch_diameter)};
    case InputToCheck::kWireDiameter:
      return {Quoted(names.wire_diameter)};
    case InputToCheck::kProfileAngle:
      return {Quoted(names.profile_angle)};
    case InputToCheck::kNone:
      break;
  }
  return {};
}

// The quantity a box holds, as the user calls it.
QString Quantity(InputToCheck input) {
  switch (input) {
    case InputToCheck::kPitch:
      return QStringLiteral("螺距");
    case InputToCheck::kStarts:
      return QStringLiteral("线数");
    case InputToCheck::kPitchOrStarts:
      return QStringLiteral("螺距和线数");
    case InputToCheck::kPitchDiameter:
      return QStringLiteral("中径");
    case InputToCheck::kWireDiameter:
      return QStringLiteral("三针直径");
    case InputToCheck::kProfileAngle:
      return QStringLiteral("牙形角");
    case InputToCheck::kNone:
      break;
  }
  return {};
}

QString WhatWentWrong(threewire::Failure failure, const QStringList& boxes) {
  const QString quantity = Quantity(failure.input);
  switch (failure.kind) {
    case FailureKind::kNotANumber:
      return QStringLiteral("%1中没有填写有效的数。").arg(boxes.join(QStringLiteral("或")));
    case FailureKind::kDivisionByZero:
      if (failure.input == InputToCheck::kProfileAngle) {
        return QStringLiteral("这个牙形角使计算除以零（例如0°或180°）。");
      }
      if (quantity.isEmpty()) return QStringLiteral("计算中出现了除以零。");
      return QStringLiteral("%1不能为零，也不能空着。").arg(quantity);
    case FailureKind::kOutOfRange:
      if (quantity.isEmpty()) return QStringLiteral("计算中的数值超出了范围。");
      return QStringLiteral("%1的数值太大，超出了计算范围。").arg(quantity);
  }
  return {};
}

}  // namespace

QString FailureReason(threewire::Failure failure, const InputBoxNames& names) {
  const QStringList boxes = BoxesToCheck(failure.input, names);
  const QString check = boxes.isEmpty()
                            ? QStringLiteral("请检查输入的数值。")
                            : QStringLiteral("请检查%1。").arg(boxes.join(QStringLiteral("和")));
  return WhatWentWrong(failure, boxes) + QLatin1Char('\n') + check;
}
