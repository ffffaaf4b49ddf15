# SPDX-License-Identifier: MIT
# Builds the calculation core and what the web page needs as WebAssembly with Debian's clang 16
# and wasi-libc, no Emscripten; Node.js runs the programs, as Wine does the Windows ones.
set(CMAKE_SYSTEM_NAME WASI)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
list(APPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})  # for Platform/WASI.cmake

set(triple wasm32-wasi)
set(CMAKE_C_COMPILER clang-16)
set(CMAKE_CXX_COMPILER clang++-16)
set(CMAKE_C_COMPILER_TARGET ${triple})
set(CMAKE_CXX_COMPILER_TARGET ${triple})
# GNU ar writes no symbol index for WebAssembly objects, which wasm-ld then refuses.
set(CMAKE_AR /usr/lib/llvm-16/bin/llvm-ar)
set(CMAKE_RANLIB /usr/lib/llvm-16/bin/llvm-ranlib)

# Debian's clang does not search libc++'s wasm32 headers by itself. WebAssembly without the
# exception-handling proposal: Debian's libc++abi for wasm32 is built without exceptions. Bulk
# memory (copies as one instruction) and non-trapping float-to-int conversions, which every
# browser since 2021 runs, make the calculations some 5 % faster.
set(CMAKE_CXX_FLAGS_INIT "-isystem /usr/lib/llvm-16/include/${triple}/c++/v1 -fno-exceptions \
-mbulk-memory -mnontrapping-fptoint")
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

set(CMAKE_FIND_ROOT_PATH /usr/lib/${triple} /usr/include/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(NODE node)  # for the tests; the page needs no Node.js
# Node.js 18, Debian 12's, still asks for the flag.
set(CMAKE_CROSSCOMPILING_EMULATOR ${NODE} --experimental-wasi-unstable-preview1 --no-warnings
    ${CMAKE_CURRENT_LIST_DIR}/wasi-run.mjs)
