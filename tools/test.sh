#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test: the portable
# core natively and under the fuzzers, the rest under Wine with a virtual
# display, every memo operation against crashes at each of its file calls;
# then makes the package and checks it.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/prepare.sh

status=0
echo "== native tests"
ctest --test-dir build/native --output-on-failure || status=1
echo "== fuzzing"
bash tools/fuzz.sh || status=1
echo "== Wine tests"
# The DLL these tests run: the package must ship exactly this one.
tested_dll=$(sha256sum build/win/bin/Scribbit.dll | cut -d' ' -f1)
# What the tests delete goes to a trash of their own, not the user's.
XDG_DATA_HOME="$BUILD/test-data" with_display ctest --test-dir build/win --output-on-failure --timeout 600 || status=1
echo "== crash states"
bash tools/crashstate.sh || status=1
echo "== package"
{ bash tools/package.sh && bash tools/check_package.sh "$tested_dll"; } || status=1
exit $status
