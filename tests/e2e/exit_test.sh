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
echo "exit test passed"
