#!/usr/bin/env bash
# Builds the Windows side (Scribbit.dll, the stand-in host, the Wine tests)
# into build/win and the portable core with its native tests into build/native.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
# Configures a tree, which also finds new test and benchmark folders. The
# toolchain file counts at a tree's first configure only: named again, CMake
# would warn of an unused variable.
configure() {
  local tree=$1
  shift
  if [ -f "$tree/CMakeCache.txt" ]; then
    cmake -S . -B "$tree" >/dev/null
  else
    cmake -S . -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
  fi
}
configure build/native
cmake --build build/native -j "$jobs"
configure build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
cmake --build build/win -j "$jobs"
