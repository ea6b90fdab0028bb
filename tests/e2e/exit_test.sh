#!/usr/bin/env bash
# Ctrl+Alt+C and a TERM signal end Brixel at once with exit code 0.
source "$(dirname "$0")/lib.sh"

e2e_start_x

e2e_start_brixel "$BRIXEL_BINARY_DIR/demo.tdf"
e2e_screen_settles "$E2E_TMP/screen.json"
xdotool key --clearmodifiers ctrl+alt+c
e2e_wait_exit 10
[ "$BRIXEL_STATUS" -eq 0 ] || e2e_fail "Ctrl+Alt+C ended with $BRIXEL_STATUS"

e2e_start_brixel "$BRIXEL_BINARY_DIR/demo.tdf"
e2e_screen_settles "$E2E_TMP/screen.json"
kill -TERM "$BRIXEL_PID"
e2e_wait_exit 10
[ "$BRIXEL_STATUS" -eq 0 ] || e2e_fail "TERM ended with $BRIXEL_STATUS"
# Without a glyph sheet anywhere the start fails: it says so on stderr and
# ends with exit code 1.
mkdir -p "$E2E_TMP/alone"
cp "$BRIXEL_BIN" "$E2E_TMP/alone/brixel"
if [ ! -e /usr/local/share/brixel/80x25.png ] && [ ! -e /usr/share/brixel/80x25.png ]; then
  status=0
  (cd "$E2E_TMP/alone" && ./brixel >"$E2E_TMP/alone.out" 2>"$E2E_TMP/alone.err") || status=$?
  [ "$status" -eq 1 ] || e2e_fail "without a sheet it ended with $status"
  grep -qx "Could Not Load Font File." "$E2E_TMP/alone.err" || e2e_fail "no message without a sheet"
  [ ! -s "$E2E_TMP/alone.out" ] || e2e_fail "without a sheet it printed on stdout"
fi
echo "exit test passed"
