#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Types the README's part at 21° of lead into the window that has the keyboard focus, as a user
# would, and judges it: the thread (pitch 12, 4 starts, d2 39.8, 30°, wire 6.212) through 显示M值,
# then the limits 39.800 / 39.600 and the measured M 48.917, and Enter. The window must have just
# opened, with the focus on 打 印; the keys walk the tab order. For the screenshot scripts.
set -euo pipefail
key() { xdotool key "$@"; sleep 0.08; }
type() { xdotool type --delay 30 "$1"; sleep 0.08; }
tabs() { for _ in $(seq "$1"); do key "$2"; done; }

key Tab; key ctrl+a; type 6.212            # txtd0
tabs 4 Tab; type 30                         # txtr
key Tab; type 39.8                          # txtd2
key Tab; type 4                             # txtn
key Tab; type 12                            # txtt
tabs 5 shift+Tab; key space                 # 显示M值
tabs 11 Tab; type 39.800                    # 中径上限
key Tab; type 39.600                        # 中径下限
key Tab; type 48.917; key Return            # 实测M值, Enter judges
sleep 0.5
