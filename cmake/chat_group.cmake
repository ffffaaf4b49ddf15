# SPDX-License-Identifier: MIT
# The QQ group that the welcome note (Text3) invites users to. A distributor who runs such a group
# sets THREEWIRE_CHAT_GROUP to its number once, and every build of the window shows it; without
# it the note names no group. Runs as a script too (cmake -DTHREEWIRE_CHAT_GROUP=... -P), which
# is how the tests see what it refuses.
if(NOT CMAKE_SCRIPT_MODE_FILE)
  set(THREEWIRE_CHAT_GROUP "" CACHE STRING
      "Number of the QQ group the welcome note names, 5 to 12 digits; empty: no group yet")
endif()

string(LENGTH "${THREEWIRE_CHAT_GROUP}" threewire_chat_group_digits)
if(NOT THREEWIRE_CHAT_GROUP STREQUAL ""
   AND (NOT THREEWIRE_CHAT_GROUP MATCHES "^[0-9]+$"
        OR threewire_chat_group_digits LESS 5 OR threewire_chat_group_digits GREATER 12))
  message(FATAL_ERROR "THREEWIRE_CHAT_GROUP is \"${THREEWIRE_CHAT_GROUP}\": it must be the number "
                      "of the QQ group, 5 to 12 digits and nothing else, or empty when there is "
                      "no group.")
endif()
