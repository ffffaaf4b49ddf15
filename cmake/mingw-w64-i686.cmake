# SPDX-License-Identifier: MIT
# Cross-builds the Windows program on Debian with mingw-w64 as a 32-bit program, which every
# Windows from XP on runs, 64-bit Windows included. The win32-thread variant of the compiler: its
# runtime imports nothing that Windows XP lacks, where the posix-thread one brings winpthreads and
# its GetTickCount64 (from Vista on). The program starts no threads. The tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(triple i686-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-win32)
set(CMAKE_CXX_COMPILER ${triple}-g++-win32)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_DLLTOOL ${triple}-dlltool)
set(CMAKE_OBJDUMP ${triple}-objdump)

# Arithmetic in binary64, as the core is written for: in SSE2's registers, not in the x87's, whose
# wider exponent and mantissa let an intermediate that overflows a double go on as a number. SSE2
# came with the Pentium 4 and the Athlon 64; the program needs a processor that has it.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")

set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No runtime DLLs to ship: the C++ runtime and libgcc go into each .exe. Each names Windows XP's
# subsystem version, 5.01, as the one it needs (ld writes NT 4's 4.00 unless told): XP's loader
# refuses a program that names a later one.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ \
-Wl,--major-subsystem-version,5,--minor-subsystem-version,1")

set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine)
