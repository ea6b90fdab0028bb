#!/usr/bin/env bash
# A late SDL wakeup sent to a window that is already gone must not end Brixel
# (it used to turn ESC's exit code 0 into 1); any other X error still does.
source "$(dirname "$0")/lib.sh"
PROBE="$BRIXEL_BINARY_DIR/tests/x11_error_probe"

e2e_start_x
status=0
"$PROBE" send >"$E2E_TMP/send.log" 2>&1 || status=$?
[ "$status" -eq 0 ] || e2e_fail "an event sent to a gone window ended the probe with $status: $(cat "$E2E_TMP/send.log")"
grep -qx survived "$E2E_TMP/send.log" || e2e_fail "the probe did not get past the error"

status=0
"$PROBE" map >"$E2E_TMP/map.log" 2>&1 || status=$?
[ "$status" -eq 1 ] || e2e_fail "another X error gave exit code $status, not Xlib's 1"
grep -q "X Error of failed request" "$E2E_TMP/map.log" || e2e_fail "Xlib did not report the other error"
echo "x11 errors test passed"
