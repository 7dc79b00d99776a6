#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and UndefinedBehaviorSanitizer
# on) into DIR, ./build-fuzz or $DP_FUZZ_BUILD_DIR (a tree already configured for
# fuzzing, as scripts/test.sh makes, is only brought up to date), and runs each for
# SECONDS from the seed corpus in tests/fuzz/corpus, as many at once as there are
# cores. Inputs that reach new code are kept in DIR/corpus/TARGET; a broken property
# or a sanitizer report fails the run and leaves the input in DIR/findings/.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]     (default 30 s; all of: log_file
#                                              settings_file link_replies)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(log_file settings_file link_replies)
dir="${DP_FUZZ_BUILD_DIR:-build-fuzz}"

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
if ! grep -qs '^DP_BUILD_FUZZ:BOOL=ON$' "$dir/CMakeCache.txt"; then
  cmake -S . -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
    -DDP_BUILD_TESTS=OFF -DDP_BUILD_BENCH=OFF -DDP_BUILD_FUZZ=ON -DDP_SANITIZE=address,undefined -DDP_WERROR=ON \
    >/dev/null
fi
cmake --build "$dir" -j"$(nproc)" --target fuzz_targets

mkdir -p "$dir/findings"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
run_one() {
  local t="$1"
  mkdir -p "$dir/corpus/$t"
  if "$dir/tests/fuzz/fuzz_$t" "$dir/corpus/$t" "tests/fuzz/corpus/$t" -max_total_time="$seconds" \
       -timeout=10 -print_final_stats=1 -artifact_prefix="$dir/findings/$t-" >"$dir/fuzz-$t.log" 2>&1; then
    printf 'fuzz %-14s %s\n' "$t" "$(grep -E '^stat::number_of_executed_units' "$dir/fuzz-$t.log" | awk '{print $2 " inputs, no finding"}')"
  else
    echo "fuzz $t FAILED; its log follows" >&2
    tail -n 60 "$dir/fuzz-$t.log" >&2
    return 1
  fi
}
export -f run_one
export dir seconds
printf '%s\n' "${targets[@]}" | xargs -P "$(nproc)" -I{} bash -c 'run_one {}'
