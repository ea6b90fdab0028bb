#!/usr/bin/env bash
# The real window: 640x400, drawn cell by cell from the glyph sheet, keys
# reach the program, ESC ends it in order with exit code 0, and nothing is
# printed, also with the machine's own sound drivers and no sound card.
# Without a display it says so and ends with 1; -h still works. (A driver
# named in SDL_VIDEODRIVER is taken as asked: the SDL tests run on dummy.)
source "$(dirname "$0")/lib.sh"

demo="$BRIXEL_BINARY_DIR/demo.tdf"
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "$BRIXEL_BIN" -h) ||
  e2e_fail "brixel -h ended with $?"
[ -n "$out" ] || e2e_fail "brixel -h printed nothing"

# expect_start_failure WHAT MESSAGE ENV-ARGS...: ends at once with 1 and MESSAGE on stderr.
expect_start_failure() {
  local what=$1 message=$2 status=0
  shift 2
  env "$@" timeout 20 "$BRIXEL_BIN" "$demo" >"$E2E_TMP/fail.out" 2>"$E2E_TMP/fail.err" || status=$?
  [ "$status" -eq 1 ] || e2e_fail "$what: ended with $status"
  grep -qx "$message" "$E2E_TMP/fail.err" || e2e_fail "$what: stderr is '$(cat "$E2E_TMP/fail.err")'"
  [ ! -s "$E2E_TMP/fail.out" ] || e2e_fail "$what: printed on stdout"
}
expect_start_failure "no display" "no display: set DISPLAY or use brixel-cli" \
  -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER
expect_start_failure "an unknown video driver" "Error Initializing SDL: nosuchdriver not available" \
  SDL_VIDEODRIVER=nosuchdriver

e2e_start_x
# The sound drivers SDL would pick itself, as on a user's machine.
unset SDL_AUDIODRIVER
e2e_start_brixel "$demo"
[ "$(e2e_window_size)" = 640x400 ] || e2e_fail "window is $(e2e_window_size), not 640x400"

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
[ ! -s "$BRIXEL_LOG" ] || e2e_fail "a normal run printed: $(head -c 500 "$BRIXEL_LOG")"
echo "window test passed"
