#!/usr/bin/env bash
# The real window: 640x400, drawn cell by cell from the glyph sheet, keys
# reach the program, ESC ends it in order with exit code 0; -h needs no display.
source "$(dirname "$0")/lib.sh"

# The usage text works with no display at all.
out=$(env -u DISPLAY "$BRIXEL_BIN" -h) || e2e_fail "brixel -h ended with $?"
[ -n "$out" ] || e2e_fail "brixel -h printed nothing"

e2e_start_x
e2e_start_brixel "$BRIXEL_BINARY_DIR/demo.tdf"
[ "$(e2e_window_size)" = 640x400 ] || e2e_fail "window is $(e2e_window_size), not 640x400"
grep -qx "Creating Window..." "$BRIXEL_LOG" || e2e_fail "no window log line"
grep -qx "Font Height: 16" "$BRIXEL_LOG" || e2e_fail "no geometry log lines"

# Every cell of the screenshot is a glyph of the sheet in palette colours.
e2e_screen_settles "$E2E_TMP/before.json"
e2e_shot "$E2E_TMP/shot.png"
[ "$(identify -format %wx%h "$E2E_TMP/shot.png")" = 640x400 ] || e2e_fail "screenshot size"
# The same shot decoded and drawn again from the sheet (a second shot could
# catch the cursor in its other phase).
e2e_decode "$E2E_TMP/shot.png" >"$E2E_TMP/shot.json" 2>/dev/null || e2e_fail "screenshot does not decode"
"$SCREEN_DECODE" "$GLYPH_SHEET" "$E2E_TMP/shot.png" "$E2E_TMP/shot.json" >"$E2E_TMP/cmp.txt" ||
  e2e_fail "screenshot differs from its own decoding: $(cat "$E2E_TMP/cmp.txt")"
# Something is on the screen: not every cell is blank.
grep -q '\[[1-9][0-9]*,' "$E2E_TMP/before.json" || e2e_fail "the screen is empty"

# A typed key reaches the program: Up steps to another font.
xdotool key --clearmodifiers Up
changed() {
  e2e_shot "$E2E_TMP/now.png"
  ! "$SCREEN_DECODE" "$GLYPH_SHEET" "$E2E_TMP/now.png" "$E2E_TMP/before.json" >/dev/null
}
e2e_wait_for "the screen to change after a key" 20 changed

xdotool key --clearmodifiers Escape
e2e_wait_exit 20
[ "$BRIXEL_STATUS" -eq 0 ] || e2e_fail "ESC ended with $BRIXEL_STATUS"
echo "window test passed"
