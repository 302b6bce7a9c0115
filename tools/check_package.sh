#!/usr/bin/env bash
# Checks the package tools/package.sh made: its three files in its one
# folder, their names as Windows reads them, the texts in code page 932 with
# CR LF, its DLL the one the tests ran and loadable on Windows XP SP3 (the
# stand-in host too), and the stand-in host running the tool from the DLL
# unpacked from it. Fails loudly on any fault.
#   tools/check_package.sh [SHA256]   the DLL's hash when the tests ran it;
#                                     by default build/win/bin/Scribbit.dll's
set -euo pipefail
cd "$(dirname "$0")/.."
fail() {
  echo "package check FAILED: $*" >&2
  exit 1
}
shopt -s nullglob
packages=(dist/Scribbit-*-win32.zip)
[ ${#packages[@]} -eq 1 ] || fail "expected one dist/Scribbit-*-win32.zip, found ${#packages[@]}"
package=${packages[0]}
tested=${1:-$(sha256sum build/win/bin/Scribbit.dll | cut -d' ' -f1)}
python3 tools/check_package_contents.py "$package" "$tested" build/win/generated/ScribbitVersion.h

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
unzip -q "$package" -d "$unpacked"
dll=$(echo "$unpacked"/Scribbit-*/Scribbit.dll)
python3 tools/check_imports.py "$dll" build/win/bin/JotbookHost.exe || fail "Windows XP SP3 cannot load what the package ships"
BUILD=$(pwd)/build
. tools/wine-env.sh
prepare_wine_prefix
# The host tests, with the host loading the unpacked DLL: it lists and opens a memo.
(cd build/win/bin && SCRIBBIT_DLL="$dll" with_display wine host_tests.exe --gtest_filter='HostProgram*') ||
  fail "the stand-in host does not run the tool from the package's Scribbit.dll"
echo "package check: the stand-in host runs the tool from the package's Scribbit.dll"
