#!/usr/bin/env bash
# Alt+Enter switches to desktop fullscreen and back, under a window manager
# (openbox with its key bindings removed).
source "$(dirname "$0")/lib.sh"

e2e_start_x --wm
e2e_start_brixel "$BRIXEL_BINARY_DIR/demo.tdf"
e2e_wait_for "the window at 640x400" 30 e2e_window_is 640x400
e2e_screen_settles "$E2E_TMP/before.json"

xdotool windowactivate "$BRIXEL_WID"
e2e_focus
xdotool key --clearmodifiers alt+Return
e2e_wait_for "the fullscreen window" 30 e2e_window_is 1280x1024
e2e_wait_for "cells of 16x40" 10 grep -qx "New FontHeight : 40" "$BRIXEL_LOG"
# The cells fill 1280x1000; the rest stays black.
e2e_shot "$E2E_TMP/full.png"
[ "$(convert "$E2E_TMP/full.png" -crop 1280x24+0+1000 -format '%[fx:maxima.r+maxima.g+maxima.b]' info:)" = 0 ] ||
  e2e_fail "the margin below the cells is not black"

xdotool key --clearmodifiers alt+Return
e2e_wait_for "the window back at 640x400" 30 e2e_window_is 640x400
same() {
  e2e_shot "$E2E_TMP/after.png"
  "$SCREEN_DECODE" "$GLYPH_SHEET" "$E2E_TMP/after.png" "$E2E_TMP/before.json" >/dev/null
}
e2e_wait_for "the screen as before" 30 same
xdotool key --clearmodifiers Escape
e2e_wait_exit 20
[ "$BRIXEL_STATUS" -eq 0 ] || e2e_fail "ESC ended with $BRIXEL_STATUS"
echo "fullscreen test passed"
