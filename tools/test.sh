#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test: the portable
# core natively and under the fuzzers, the rest under Wine with a virtual
# display.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/prepare.sh

status=0
echo "== native tests"
ctest --test-dir build/native --output-on-failure || status=1
echo "== fuzzing"
bash tools/fuzz.sh || status=1
echo "== Wine tests"
with_display ctest --test-dir build/win --output-on-failure --timeout 600 || status=1
exit $status
