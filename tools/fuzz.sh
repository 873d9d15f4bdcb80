#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, replays every kept crash input,
# then fuzzes each target for a bounded time. A crash fails the run and its
# input is kept in tests/fuzz/regressions/<target>/ to be committed.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-45}

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -Wno-dev -DFOTOWEAVE_FUZZ=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz

export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
for target in loader pagetext description; do
  fuzzer=build-fuzz/tests/fuzz/fuzz_$target
  kept=tests/fuzz/regressions/$target
  corpus=$(mktemp -d)
  # Small files only: a large seed raises the input size and slows every run.
  [[ $target == loader || $target == description ]] && find tests/data assets/images -name '*.*' -size -20k -exec cp {} "$corpus"/ \;
  echo "== fuzz $target: replaying $(find "$kept" -type f | wc -l) kept inputs, then ${seconds}s"
  "$fuzzer" -runs=0 "$kept" 2>&1 | tail -1
  before=$(find "$kept" -type f | wc -l)
  "$fuzzer" -max_total_time="$seconds" -rss_limit_mb=3072 -timeout=20 -print_final_stats=0 \
      -artifact_prefix="$kept/" "$corpus" 2>&1 | grep -E '^(Done|==.*ERROR|SUMMARY)|#[0-9]+\s+DONE' || true
  # A crash leaves its input beside the kept ones.
  if (( $(find "$kept" -type f | wc -l) != before )); then
    echo "fuzz $target found a crash; its input is in $kept"; exit 1
  fi
  rm -rf "$corpus"
done
