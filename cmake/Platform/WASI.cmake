# SPDX-License-Identifier: MIT
# Programs for WASI, the WebAssembly system interface, which CMake 3.25 does not know by itself:
# WebAssembly modules, run by a host such as Node.js. cmake/wasm32-wasi.cmake uses it.
set(WASI TRUE)
set(CMAKE_EXECUTABLE_SUFFIX .wasm)
