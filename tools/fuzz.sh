#!/usr/bin/env bash
# Builds every fuzz target (fuzz/*_fuzz.cpp) with clang into build/fuzz and
# runs each for FUZZ_SECONDS seconds (20 by default), starting from its seeds
# in fuzz/corpus/<name>. New inputs go to a fresh folder under build/fuzz, so
# the checkout stays as it was. Fails when a target finds a fault, naming the
# input that shows it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
seconds=${FUZZ_SECONDS:-20}

cmake -S fuzz -B build/fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build/fuzz -j "$(nproc)" >/dev/null

status=0
for target in build/fuzz/*_fuzz; do
  name=$(basename "$target" _fuzz)
  run=build/fuzz/runs/$name
  rm -rf "$run"
  mkdir -p "$run/corpus"
  seeds=()
  [ -d "fuzz/corpus/$name" ] && seeds=("fuzz/corpus/$name")
  # libFuzzer writes new units into the first corpus folder only. A single
  # input that runs for seconds is a hang: -timeout reports it.
  if "$target" -max_total_time="$seconds" -timeout=10 -artifact_prefix="$run/" \
    "$run/corpus" "${seeds[@]}" >"$run/log" 2>&1; then
    echo "$name: $(grep -m1 -E '^#[0-9]+[[:space:]]+DONE' "$run/log" | sed -E 's/^#([0-9]+)[[:space:]]+DONE +/\1 runs, /')"
  else
    status=1
    echo "$name: FAULT FOUND"
    tail -n 40 "$run/log"
    for reproducer in "$run"/crash-* "$run"/leak-* "$run"/timeout-* "$run"/oom-*; do
      [ -e "$reproducer" ] && echo "reproduce with: $target $reproducer"
    done
  fi
done
exit $status
