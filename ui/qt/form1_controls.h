// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QString>
#include <string_view>

#include "form1_layout.h"

class QWidget;

// What makes a control of the layout table a Qt widget, shared by the window and by the start-up
// benchmark's window of the same controls: its kind of widget, its font, colour and place, and
// the wire-diameter list.

QString FromUtf8(std::string_view text);

// The Song face at the size and weight of `face`.
QFont SongFont(threewire::form::Face face);

// `control` as a child of `parent`, named after it, in its font and colour, at its place.
QWidget* MakeControl(const threewire::form::Control& control, QWidget* parent);
