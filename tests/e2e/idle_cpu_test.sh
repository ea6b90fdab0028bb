#!/usr/bin/env bash
# A Brixel waiting for a key costs next to no CPU: measured from /proc over
# 10 seconds (the goal is under 0.2% of one core; the check allows for a
# loaded machine).
source "$(dirname "$0")/lib.sh"

e2e_start_x
e2e_start_brixel "$BRIXEL_BINARY_DIR/demo.tdf"
e2e_screen_settles "$E2E_TMP/screen.json"

cpu_ns() { # CPU time of all Brixel threads in nanoseconds (finer than clock ticks)
  cat /proc/"$BRIXEL_PID"/task/*/schedstat | awk '{ sum += $1 } END { printf "%d", sum }'
}
start_cpu=$(cpu_ns)
start_ns=$(date +%s%N)
sleep 10  # the measured interval
end_cpu=$(cpu_ns)
end_ns=$(date +%s%N)
percent=$(awk -v c=$((end_cpu - start_cpu)) -v ns=$((end_ns - start_ns)) \
  'BEGIN { printf "%.3f", 100 * c / ns }')
echo "idle CPU over 10 s: ${percent}% of one core"
awk -v p="$percent" 'BEGIN { exit !(p < 0.5) }' || e2e_fail "idle CPU ${percent}% is too high"
echo "idle cpu test passed"
