#!/usr/bin/env bash
# What a change to the memo encoding detection costs: core_bench's encoding
# figures for an older revision and for this tree, the two run by turns five
# times each; prints the best of each and their ratio new / old.
#   bash bench/detector_cost.sh main
set -euo pipefail
cd "$(dirname "$0")/.."
old_rev=${1:?usage: detector_cost.sh OLD_REVISION}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
git clone -q . "$work/old"
git -C "$work/old" checkout -q "$old_rev"
cmake -S "$work/old" -B "$work/old/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$work/old/build" -j2 --target core_bench >/dev/null
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/native -j2 --target core_bench >/dev/null
for round in 1 2 3 4 5; do
  for side in old new; do
    bench=build/native/bench/native/core_bench
    [ "$side" = old ] && bench="$work/old/build/bench/native/core_bench"
    "$bench" | grep -A3 '^memo encodings' | sed "s/^/$side /" >> "$work/figures"
  done
done
# The figure before " us," on each line, best (least) of the rounds.
best() { grep "^$1 .*$2" "$work/figures" | sed -E "s/.*$2[^0-9]*([0-9.]+) us.*/\1/" | sort -g | head -1; }
for what in "UTF-8 detected and decoded" "CP932 detected and decoded" "words weighed:"; do
  o=$(best old "$what"); n=$(best new "$what")
  printf '%-28s old %8.1f us  new %8.1f us  new/old x%.3f\n' "$what" "$o" "$n" "$(echo "$n / $o" | bc -l)"
done
