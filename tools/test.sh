#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite: once in a normal build, once
# under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tools/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

echo "== sanitizer build (ASan + UBSan)"
bash tools/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DFOTOWEAVE_SANITIZE=ON
(cd build-asan && ctest --output-on-failure -j2 -LE slow)

echo "== fuzzing"
bash tools/fuzz.sh

echo "== release build"
bash tools/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cd build && ctest --output-on-failure -j2
