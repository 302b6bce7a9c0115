#!/usr/bin/env bash
# Builds and runs every benchmark program: the native ones, then the Wine
# ones pinned to one CPU. Each prints its figures as ratios to a baseline
# measured in the same run.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/prepare.sh
for bench in build/native/bench/native/*_bench; do
  [ -x "$bench" ] || continue
  echo "== $(basename "$bench")"
  "$bench"
done
cd build/win/bin
for bench in *_bench.exe; do
  [ -f "$bench" ] || continue
  echo "== $bench (Wine, one CPU)"
  with_display taskset -c 0 wine "$bench"
done
