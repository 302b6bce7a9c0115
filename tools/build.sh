#!/usr/bin/env bash
# Builds the Windows side (Scribbit.dll, the stand-in host, the Wine tests)
# into build/win and the portable core with its native tests into build/native.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
# Configures a tree once; later builds reconfigure it by themselves when a
# CMakeLists.txt changes. The toolchain file is read at the first configure only.
configure_once() {
  local tree=$1
  shift
  [ -f "$tree/CMakeCache.txt" ] || cmake -S . -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
}
configure_once build/native
cmake --build build/native -j "$jobs"
configure_once build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
cmake --build build/win -j "$jobs"
