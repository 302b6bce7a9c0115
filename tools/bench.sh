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
# The Japanese manual pages as memos, as shipped (UTF-8), over five folders,
# for the search benchmark.
pages="$BUILD/bench-manpages"
rm -rf "$pages"
mkdir -p "$pages"/{1,2,3,4,5}
n=0
for page in $(find /usr/share/man/ja -name '*.gz' | sort); do
  zcat "$page" > "$pages/$((n % 5 + 1))/$(basename "$page" .gz).txt"
  n=$((n + 1))
done
cd build/win/bin
for bench in *_bench.exe; do
  [ -f "$bench" ] || continue
  echo "== $bench (Wine, one CPU)"
  args=()
  [ "$bench" = search_bench.exe ] && args=("$(winepath -w "$pages")")
  with_display taskset -c 0 wine "$bench" "${args[@]}"
done
