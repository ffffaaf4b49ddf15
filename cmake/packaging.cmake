# SPDX-License-Identifier: MIT
# What `cmake --install` puts on a machine, and the Debian package that `cpack` makes of it.
# Included from the root CMakeLists.txt only when the window is built: without the program
# there is nothing to install.

set(THREEWIRE_APP_ID org.threewire.ThreeWire)
set(threewire_packaging_dir ${PROJECT_SOURCE_DIR}/packaging)

# The program, its menu entry, its icon and its software-centre entry; nothing else.
install(TARGETS threewire RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${threewire_packaging_dir}/${THREEWIRE_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${threewire_packaging_dir}/${THREEWIRE_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/ui/icons/threewire.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${THREEWIRE_APP_ID}.svg)
foreach(size IN ITEMS 16 32 48 64 128)
  install(FILES ${threewire_packaging_dir}/icons/hicolor/${size}x${size}/apps/${THREEWIRE_APP_ID}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# The manual page threewire(1), in English and in Chinese, compressed as Debian keeps manual
# pages (-n: without the name and time, so the file does not change with the build time).
find_program(THREEWIRE_GZIP gzip REQUIRED)
foreach(page IN ITEMS man1/threewire.1 zh_CN/man1/threewire.1)
  set(copy ${CMAKE_CURRENT_BINARY_DIR}/man/${page})
  add_custom_command(OUTPUT ${copy}.gz
                     COMMAND ${CMAKE_COMMAND} -E copy ${threewire_packaging_dir}/man/${page} ${copy}
                     COMMAND ${THREEWIRE_GZIP} -9nf ${copy}
                     DEPENDS ${threewire_packaging_dir}/man/${page} VERBATIM)
  list(APPEND threewire_man_pages ${copy}.gz)
  cmake_path(GET page PARENT_PATH section)
  install(FILES ${copy}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/${section})
endforeach()
add_custom_target(man_pages ALL DEPENDS ${threewire_man_pages})

# --- Debian package -------------------------------------------------------------------------

set(THREEWIRE_MAINTAINER "threewire developers <threewire@users.noreply.example.org>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME threewire)
set(CPACK_PACKAGE_VENDOR "threewire developers")
set(CPACK_PACKAGE_CONTACT "${THREEWIRE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Three-wire thread measurement calculator")
# CPack indents each line and turns the empty one into " ." as the control file wants.
set(CPACK_PACKAGE_DESCRIPTION
"A desktop calculator for inspecting external screw threads by the three-wire
method. From a thread's pitch, number of starts, pitch diameter and profile
angle and the diameter of the measuring wires, it computes the measurement
over wires (M value) and the lead angle, taking the lead angle into account so
that the result also holds for multi-start threads with a large lead angle.

A second calculator gives the best wire diameter for a pitch and a profile
angle. The window speaks Simplified Chinese and can be printed.")

set(CPACK_DEBIAN_PACKAGE_NAME threewire)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# CPACK_DEBIAN_PACKAGE_ARCHITECTURE is left unset: CPack then asks `dpkg --print-architecture`.
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${THREEWIRE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt libraries and libc come from dpkg-shlibdeps. It cannot see what is loaded at run time:
# the platform plugin that opens the window, the font that has the Chinese glyphs, and the
# Chinese translations of Qt's own dialogs.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-arphic-uming, qt6-qpa-plugins, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)

# Debian requires every package to carry its copyright notice and changelog in
# /usr/share/doc/<package> (lintian: no-copyright-file, no-changelog). They describe the
# package rather than the program, so only the .deb gets them: a plain `cmake --install` does
# not. CPack runs this script on its staging tree before it builds the package; it also takes
# out of the program what Debian's packaging tools would.
set(threewire_debian_doc_dir ${CMAKE_CURRENT_BINARY_DIR}/debian-doc)
file(WRITE ${threewire_debian_doc_dir}/copyright
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: threewire

Files: *
Copyright: 2026 threewire developers
License: MIT
 Permission is hereby granted, free of charge, to any person obtaining a copy
 of this software and associated documentation files (the \"Software\"), to deal
 in the Software without restriction, including without limitation the rights
 to use, copy, modify, merge, publish, distribute, sublicense, and/or sell
 copies of the Software, and to permit persons to whom the Software is
 furnished to do so, subject to the following conditions:
 .
 The above copyright notice and this permission notice shall be included in all
 copies or substantial portions of the Software.
 .
 THE SOFTWARE IS PROVIDED \"AS IS\", WITHOUT WARRANTY OF ANY KIND, EXPRESS OR
 IMPLIED, INCLUDING BUT NOT LIMITED TO THE WARRANTIES OF MERCHANTABILITY,
 FITNESS FOR A PARTICULAR PURPOSE AND NONINFRINGEMENT. IN NO EVENT SHALL THE
 AUTHORS OR COPYRIGHT HOLDERS BE LIABLE FOR ANY CLAIM, DAMAGES OR OTHER
 LIABILITY, WHETHER IN AN ACTION OF CONTRACT, TORT OR OTHERWISE, ARISING FROM,
 OUT OF OR IN CONNECTION WITH THE SOFTWARE OR THE USE OR OTHER DEALINGS IN THE
 SOFTWARE.
")
# The date is the release date in the metainfo's <release>; change both together.
file(WRITE ${threewire_debian_doc_dir}/changelog
"threewire (${PROJECT_VERSION}) unstable; urgency=medium

  * First release.

 -- ${THREEWIRE_MAINTAINER}  Mon, 07 Dec 2026 12:00:00 +0000
")
file(WRITE ${threewire_debian_doc_dir}/add-debian-doc.cmake
"# Generated by cmake/packaging.cmake.
if(CPACK_GENERATOR STREQUAL \"DEB\")
  set(doc \"\${CPACK_TEMPORARY_INSTALL_DIRECTORY}\${CPACK_PACKAGING_INSTALL_PREFIX}/share/doc/threewire\")
  file(MAKE_DIRECTORY \"\${doc}\")
  file(COPY_FILE \"${threewire_debian_doc_dir}/copyright\" \"\${doc}/copyright\")
  # -n leaves out the name and time, so the package does not change with the build time.
  execute_process(COMMAND \"${THREEWIRE_GZIP}\" -9nc \"${threewire_debian_doc_dir}/changelog\"
                  OUTPUT_FILE \"\${doc}/changelog.gz\" COMMAND_ERROR_IS_FATAL ANY)
  file(CHMOD \"\${doc}/copyright\" \"\${doc}/changelog.gz\"
       PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  file(CHMOD \"\${doc}\" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
       GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  # As Debian's dh_strip does, after CPack's strip: the compilers' version notes (.comment) are
  # no part of the program (lintian: binary-has-unneeded-section).
  execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment
                          \"\${CPACK_TEMPORARY_INSTALL_DIRECTORY}\${CPACK_PACKAGING_INSTALL_PREFIX}/bin/threewire\"
                  COMMAND_ERROR_IS_FATAL ANY)
endif()
")
set(CPACK_PRE_BUILD_SCRIPTS ${threewire_debian_doc_dir}/add-debian-doc.cmake)

include(CPack)
