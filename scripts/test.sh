#!/usr/bin/env bash
# Installs what is missing, then on every run:
#  1. builds everything into ./build (warnings are errors) and runs every test headless;
#  2. runs the long run bench/soak (72,000 samples, faults on and off, no growth);
#  3. builds again with clang, AddressSanitizer and UndefinedBehaviorSanitizer into
#     ./build-asan (no benchmarks; the fuzz targets too) and runs every test there with
#     leak checking; any report fails;
#  4. fuzzes every target for DP_FUZZ_SECONDS (default 30) each (scripts/fuzz.sh), from
#     that same tree: one sanitizer build instead of two keeps CI well inside its time.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
build="${DP_BUILD_DIR:-build}"
asan="${DP_ASAN_BUILD_DIR:-build-asan}"

step() { printf '\n== %s\n' "$*"; }

step "build and tests ($build)"
scripts/build.sh -DDP_WERROR=ON
ctest --test-dir "$build" --output-on-failure -j2

step "long run"
"$build/bench/soak"

step "build and tests with AddressSanitizer and UndefinedBehaviorSanitizer, clang ($asan)"
# A tree of that name left by another compiler is started afresh.
if [ -f "$asan/CMakeCache.txt" ] && ! grep -q '^CMAKE_CXX_COMPILER:.*clang++' "$asan/CMakeCache.txt"; then
  rm -rf "$asan"
fi
DP_BUILD_DIR="$asan" scripts/build.sh -DCMAKE_CXX_COMPILER=clang++ -DDP_WERROR=ON -DDP_BUILD_BENCH=OFF \
  -DDP_SANITIZE=address,undefined -DDP_BUILD_FUZZ=ON
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir "$asan" --output-on-failure -j2

step "fuzzing, ${DP_FUZZ_SECONDS:-30} s per target"
DP_FUZZ_BUILD_DIR="$asan" scripts/fuzz.sh "${DP_FUZZ_SECONDS:-30}"
