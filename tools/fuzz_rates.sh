#!/usr/bin/env bash
# fuzz_rates.sh [SECONDS] [TARGET...]: runs each fuzz target of build/fuzz for
# SECONDS (default 60) from its generated seeds and prints its executions per
# CPU-second, and the hours 10 million executions take on one core at that
# rate. Run `bash tools/build.sh fuzz build/fuzz` first.
set -euo pipefail
source fuzz/limits.sh
seconds=${1:-60}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for target in build/fuzz/fuzz/fuzz_*; do targets+=("${target##*/fuzz_}"); done
fi
printf '%-12s %12s %9s %14s %10s\n' target executions cpu-s "per cpu-s" "10M in h"
for name in "${targets[@]}"; do
  seeds=build/fuzz/seeds/$name
  mkdir -p "$seeds"
  if [ -f "fuzz/make_seeds_$name.sh" ]; then bash "fuzz/make_seeds_$name.sh" "$seeds"; fi
  work=$(mktemp -d)
  log=$(mktemp)
  /usr/bin/time -f 'cpu %U %S' "build/fuzz/fuzz/fuzz_$name" -max_total_time="$seconds" \
    -max_len="$(fuzz_max_len "$name")" -timeout=10 -print_final_stats=1 -artifact_prefix=build/fuzz/ \
    "$work" "$seeds" > "$log" 2>&1 || { tail -n 40 "$log" >&2; exit 1; }
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  cpu=$(awk '/^cpu /{print $2 + $3}' "$log")
  awk -v n="$name" -v r="$runs" -v c="$cpu" \
    'BEGIN{rate = r / c; printf "%-12s %12d %9.1f %14.0f %10.2f\n", n, r, c, rate, 1e7 / rate / 3600}'
  rm -rf "$work" "$log"
done
