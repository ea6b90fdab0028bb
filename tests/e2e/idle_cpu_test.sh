#!/usr/bin/env bash
# A Brixel waiting for a key costs next to no CPU, on the main screen and in
# the ANSI viewer: measured over 20 seconds each, on a machine without a
# sound card, where no SDL audio thread may stay behind.
source "$(dirname "$0")/lib.sh"

# The limit is 0.10% of one core, measured by the process's own CPU-time
# clock (every thread, also any that ended meanwhile), from the moment the
# screen has settled. Idle, the refresh thread sleeps until something wakes
# it; the main thread wakes about 8 times a second to present the cursor's
# blink phases, until the cursor stops blinking 10 s after the last change.
# A wake-up costs most on a quiet machine (measured 0.12% with the cursor
# blinking all the time, 0.05% under load). Whether the refresh thread polls
# is told apart on any machine by how often it wakes: never when nothing
# blinks, against 12 times a second when it polled every 100 ms.
cpu_limit=${IDLE_CPU_LIMIT:-0.10}
refresh_wakeup_limit=0.2
seconds=20

work="$E2E_TMP/work"
mkdir -p "$work"
cp "$BRIXEL_BINARY_DIR/demo.ans" "$BRIXEL_BINARY_DIR/demo.tdf" "$work/"
e2e_private_program

e2e_start_x
# No sound card: the sound library starts, but its only card does not exist,
# so the mixer cannot open. The log says which way the sound start went.
printf 'pcm.!default { type hw card "nosuchcard" }\n' >"$E2E_TMP/asound.conf"
export SDL_AUDIODRIVER=alsa ALSA_CONFIG_PATH="$E2E_TMP/asound.conf" BRIXEL_DEBUG=1
e2e_start_brixel demo.tdf
e2e_wait_for "the main screen" 30 e2e_row_shows 1 "demo.tdf "
grep -q "^Could not open Mixer\.$" "$BRIXEL_LOG" || e2e_fail "the mixer was expected to fail to open"

# threads: "ID NAME:RUN_NS:SLEEPS" for every thread of Brixel; a sleep (a
# voluntary context switch) is followed by a wake-up.
threads() {
  local t
  for t in /proc/"$BRIXEL_PID"/task/*; do
    printf '%s %s:%s:%s\n' "${t##*/}" "$(cat "$t/comm")" "$(cut -d' ' -f1 "$t/schedstat")" \
      "$(sed -n 's/^voluntary_ctxt_switches:\s*//p' "$t/status")"
  done
}

# cpu_ns: the CPU time of the whole Brixel process in nanoseconds, read from
# its CPU-time clock (the clock id Linux gives another process's clock).
cpu_ns() {
  python3 -c 'import sys, time; pid = int(sys.argv[1]); print(time.clock_gettime_ns((~pid << 3) | 2))' \
    "$BRIXEL_PID"
}

# measure WHAT: CPU time and wake-ups of Brixel over the interval, against the limits.
measure() {
  local before after cpu_before cpu_after start_ns end_ns percent wakeups refresh
  e2e_screen_settles "$E2E_TMP/screen.json"
  before=$(threads)
  cpu_before=$(cpu_ns)
  start_ns=$(date +%s%N)
  sleep "$seconds"  # the measured interval
  cpu_after=$(cpu_ns)
  end_ns=$(date +%s%N)
  after=$(threads)
  if grep -E " SDL(Audio|Hotplug)" <<<"$after"; then e2e_fail "an SDL audio thread stayed: $after"; fi
  percent=$(awk -v c=$((cpu_after - cpu_before)) -v ns=$((end_ns - start_ns)) \
    'BEGIN { printf "%.3f", 100 * c / ns }')
  # With the audio threads gone, every thread but the main one is the refresh thread.
  read -r wakeups refresh < <(awk -F: -v s="$seconds" -v main="$BRIXEL_PID " '
    NR == FNR { run[$1] = -$2; sleeps[$1] = -$3; next }
    { run[$1] += $2; sleeps[$1] += $3 }
    END {
      for (t in run) {
        wakeups += sleeps[t]
        if (index(t, main) != 1) refresh += sleeps[t]
        printf "  %s: %.3f ms, %d wake-ups\n", t, run[t] / 1e6, sleeps[t] >"/dev/stderr"
      }
      printf "%.1f %.2f\n", wakeups / s, refresh / s
    }' <(echo "$before") <(echo "$after"))
  echo "idle on the $1 over ${seconds} s: ${percent}% of one core (limit ${cpu_limit}%)," \
    "$wakeups wake-ups a second, $refresh of the refresh thread (limit $refresh_wakeup_limit)"
  awk -v p="$percent" -v l="$cpu_limit" 'BEGIN { exit !(p <= l) }' ||
    e2e_fail "idle CPU on the $1 is ${percent}%"
  awk -v w="$refresh" -v l="$refresh_wakeup_limit" 'BEGIN { exit !(w <= l) }' ||
    e2e_fail "the idle refresh thread on the $1 wakes $refresh times a second"
}

measure "main screen"

# A with the demo art: the viewer shows it and waits for a key.
e2e_key a
e2e_wait_for "the Select Image dialog" 30 e2e_row_shows 5 " Select Image "
e2e_wait_for "the art listed" 30 e2e_row_shows 9 "Files (1)"
e2e_key Return
viewer_shown() { ! e2e_row_shows 5 " Select Image " && ! e2e_row_shows 1 "demo.tdf "; }
e2e_wait_for "the ANSI viewer" 30 viewer_shown
measure "ANSI viewer"
echo "idle cpu test passed"
