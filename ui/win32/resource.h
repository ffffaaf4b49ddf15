// SPDX-License-Identifier: MIT
#pragma once

// The program's icon, in threewire.rc.
#define IDI_THREEWIRE 1
