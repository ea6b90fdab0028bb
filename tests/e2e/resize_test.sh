#!/usr/bin/env bash
# Resizing the window keeps whole cells: 1000x700 becomes 960x700 with cells
# of 12x28, logged; back at 640x400 the screen is as before.
source "$(dirname "$0")/lib.sh"
# The log lines read below are diagnostics, written only when asked for.
export BRIXEL_DEBUG=1

e2e_start_x
e2e_start_brixel "$BRIXEL_BINARY_DIR/demo.tdf"
e2e_screen_settles "$E2E_TMP/before.json"

xdotool windowsize "$BRIXEL_WID" 1000 700
e2e_wait_for "the window to fit whole cells" 30 e2e_window_is 960x700
e2e_wait_for "the resize log lines" 10 grep -qx "New FontHeight : 28" "$BRIXEL_LOG"
for line in "WindowHeight : 700" "WindowWidth : 960" "New FontWidth : 12" "Resized..."; do
  grep -qx "$line" "$BRIXEL_LOG" || e2e_fail "missing log line: $line"
done
e2e_shot "$E2E_TMP/big.png"
[ "$(identify -format %wx%h "$E2E_TMP/big.png")" = 960x700 ] || e2e_fail "screenshot size after resize"

# Many quick sizes in a row do not upset it. The window asks for whole cells
# after every size it is given, so the last size is asked for until it holds.
for size in "700 500" "1200 900" "300 200" "1000 700"; do
  xdotool windowsize "$BRIXEL_WID" $size
done
same_at_640x400() {
  if [ "$(e2e_window_size)" != 640x400 ]; then
    xdotool windowsize "$BRIXEL_WID" 640 400
    return 1
  fi
  e2e_shot "$E2E_TMP/after.png"
  "$SCREEN_DECODE" "$GLYPH_SHEET" "$E2E_TMP/after.png" "$E2E_TMP/before.json" >/dev/null
}
e2e_wait_for "the screen as before at 640x400" 30 same_at_640x400
kill -0 "$BRIXEL_PID" || e2e_fail "Brixel ended during the resizes"
echo "resize test passed"
