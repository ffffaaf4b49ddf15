# SPDX-License-Identifier: MIT
# What a Windows build ships: `cmake --install` leaves threewire.exe, which needs nothing but
# Windows, and the build makes the NSIS installer threewire-<version>-setup.exe beside it.
# Included from the root CMakeLists.txt in a Windows build.
install(TARGETS threewire RUNTIME DESTINATION .)

find_program(THREEWIRE_MAKENSIS makensis REQUIRED)
set(THREEWIRE_SETUP ${PROJECT_BINARY_DIR}/threewire-${PROJECT_VERSION}-setup.exe)
set(threewire_nsi ${PROJECT_SOURCE_DIR}/packaging/windows/threewire.nsi)
set(threewire_ico ${PROJECT_SOURCE_DIR}/ui/icons/threewire.ico)
add_custom_command(
  OUTPUT ${THREEWIRE_SETUP}
  COMMAND ${THREEWIRE_MAKENSIS} -V2 -INPUTCHARSET UTF8 -DVERSION=${PROJECT_VERSION}
          -DEXE=$<TARGET_FILE:threewire> -DICON=${threewire_ico} -DOUTFILE=${THREEWIRE_SETUP}
          ${threewire_nsi}
  DEPENDS threewire ${threewire_nsi} ${threewire_ico}
  COMMENT "NSIS installer threewire-${PROJECT_VERSION}-setup.exe")
add_custom_target(installer ALL DEPENDS ${THREEWIRE_SETUP})
install(FILES ${THREEWIRE_SETUP} DESTINATION .)
