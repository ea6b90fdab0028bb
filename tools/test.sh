#!/usr/bin/env bash
# test.sh [all|debug|asan|tsan|fuzz]: builds and runs the test suites.
# all = every test in a debug build, then the unit and SDL tests under
# ASan+UBSan, the console tests under TSan, and the fuzzers, which share
# FUZZ_SECONDS between them (at least 10 s each).
set -euo pipefail
cd "$(dirname "$0")/.."
what=${1:-all}
fuzz_seconds=${FUZZ_SECONDS:-60}
export CTEST_OUTPUT_ON_FAILURE=1

passed=0
skipped=0
run_ctest() { # dir, extra ctest args...
  local dir=$1; shift
  ctest --test-dir "$dir" --timeout 300 -j 2 "$@" 2>&1 | tee "$dir/ctest.log"
  local count skips
  count=$(sed -n 's/^100% tests passed, 0 tests failed out of \([0-9]*\)$/\1/p' "$dir/ctest.log")
  # CTest counts a skipped test among the passed ones; it lists them apart.
  skips=$(grep -c '(Skipped)$' "$dir/ctest.log" || true)
  passed=$((passed + ${count:-0} - skips))
  skipped=$((skipped + skips))
}

debug() {
  bash tools/build.sh debug build/debug
  run_ctest build/debug
}

asan() {
  bash tools/build.sh asan build/asan
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    run_ctest build/asan -L 'unit|sdl|e2e'
}

tsan() {
  bash tools/build.sh tsan build/tsan
  TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 run_ctest build/tsan -L sdl
}

fuzz() {
  source fuzz/limits.sh
  bash tools/build.sh fuzz build/fuzz
  shopt -s nullglob
  # A new fuzzer takes its share of the time instead of adding to the total.
  local targets=(build/fuzz/fuzz/fuzz_*)
  local share=$((fuzz_seconds / (${#targets[@]} > 0 ? ${#targets[@]} : 1)))
  [ "$share" -ge 10 ] || share=10
  for target in "${targets[@]}"; do
    name=${target##*/fuzz_}
    seeds=build/fuzz/seeds/$name
    mkdir -p "$seeds"
    if [ -f "fuzz/make_seeds_$name.sh" ]; then bash "fuzz/make_seeds_$name.sh" "$seeds"; fi
    work=$(mktemp -d)
    echo "== fuzzing $name for ${share}s"
    status=0
    "$target" -max_total_time="$share" -max_len="$(fuzz_max_len "$name")" -timeout=10 \
      -artifact_prefix="build/fuzz/" "$work" "$seeds" > "build/fuzz/$name.log" 2>&1 || status=$?
    tail -n 3 "build/fuzz/$name.log"
    rm -rf "$work"
    if [ "$status" -ne 0 ]; then
      tail -n 60 "build/fuzz/$name.log" >&2
      echo "fuzzer $name found a problem (exit $status); see build/fuzz/$name.log" >&2
      exit 1
    fi
  done
}

case "$what" in
  all) debug; asan; tsan; fuzz ;;
  debug|asan|tsan|fuzz) "$what" ;;
  *) echo "usage: test.sh [all|debug|asan|tsan|fuzz]" >&2; exit 2 ;;
esac
# Every stage stops the script on its first failure, so reaching here means all passed.
echo "tests: $passed passed, 0 failed, $skipped skipped"
