#!/usr/bin/env bash
# A Brixel waiting for a key costs next to no CPU: measured from /proc over
# 10 seconds (the goal is under 0.2% of one core; the check allows for a
# loaded machine).
source "$(dirname "$0")/lib.sh"

e2e_start_x
e2e_start_brixel "$BRIXEL_BINARY_DIR/demo.tdf"
e2e_screen_settles "$E2E_TMP/screen.json"

ticks() { # user + system time of Brixel in clock ticks
  awk '{ print $14 + $15 }' "/proc/$BRIXEL_PID/stat"
}
start_ticks=$(ticks)
start_ns=$(date +%s%N)
sleep 10  # the measured interval
end_ticks=$(ticks)
end_ns=$(date +%s%N)
hz=$(getconf CLK_TCK)
percent=$(awk -v t=$((end_ticks - start_ticks)) -v hz="$hz" -v ns=$((end_ns - start_ns)) \
  'BEGIN { printf "%.3f", 100 * (t / hz) / (ns / 1e9) }')
echo "idle CPU over 10 s: ${percent}% of one core"
awk -v p="$percent" 'BEGIN { exit !(p < 1.0) }' || e2e_fail "idle CPU ${percent}% is too high"
echo "idle cpu test passed"
