#!/usr/bin/env bash
# Builds the Windows side (Scribbit.dll, the stand-in host, the Wine tests)
# into build/win and the portable core with its native tests into build/native.
#   tools/build.sh [TARGET...]   only these targets of build/win
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
# Configures a tree, which also finds new test and benchmark folders. The
# toolchain file counts at a tree's first configure only: named again, CMake
# would warn of an unused variable.
configure() {
  local tree=$1
  shift
  if [ -f "$tree/CMakeCache.txt" ] && ! compiler_changed "$tree"; then
    cmake -S . -B "$tree" >/dev/null
  else
    rm -rf "$tree/CMakeCache.txt" "$tree/CMakeFiles"
    cmake -S . -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
  fi
}
# CMake keeps the compiler a tree was first configured with, even when its
# toolchain file names another since (the thread model, say): such a tree is
# configured afresh.
compiler_changed() {
  local tree=$1 toolchain wanted
  toolchain=$(sed -n 's/^CMAKE_TOOLCHAIN_FILE:FILEPATH=//p' "$tree/CMakeCache.txt")
  [ -n "$toolchain" ] || return 1
  wanted=$(sed -n 's/^set(CMAKE_CXX_COMPILER \(.*\))$/\1/p' "$toolchain")
  ! grep -qs "^set(CMAKE_CXX_COMPILER \"\(.*/\)\?$wanted\")" "$tree"/CMakeFiles/*/CMakeCXXCompiler.cmake
}
if [ $# -eq 0 ]; then
  configure build/native
  cmake --build build/native -j "$jobs"
fi
configure build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
cmake --build build/win -j "$jobs" ${1:+--target "$@"}
