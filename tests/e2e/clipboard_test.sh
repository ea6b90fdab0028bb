#!/usr/bin/env bash
# Mouse selections copy screen text to the clipboard while Brixel runs: a
# left drag as a text stream (rows joined by CR), a middle drag as a block
# (every row ended by CR LF).
source "$(dirname "$0")/lib.sh"
# The log lines read below are diagnostics, written only when asked for.
export BRIXEL_DEBUG=1

e2e_start_x
e2e_start_brixel "$BRIXEL_BINARY_DIR/demo.tdf"
json="$E2E_TMP/screen.json"
e2e_screen_settles "$json"

# Cell (c, r) has its top-left pixel at ((c-1)*8, (r-1)*16); press inside it.
px() { echo $((($1 - 1) * 8 + 2)); }
py() { echo $((($1 - 1) * 16 + 3)); }

copied() { # MODE C0 R0 C1 R1
  e2e_clipboard >"$E2E_TMP/clip.txt" 2>/dev/null &&
    [ -s "$E2E_TMP/clip.txt" ] && e2e_selection_matches "$E2E_TMP/clip.txt" "$json" "$@"
}

# Left drag within row 1 from cell 1 to cell 30 (the status line).
e2e_drag 1 "$(px 1)" "$(py 1)" "$(px 30)" "$(py 1)"
e2e_wait_for "the one-row copy on the clipboard" 30 copied stream 1 1 30 1

# Left drag over three rows: row 22 from cell 5, row 23 whole, row 24 to cell 12.
e2e_drag 1 "$(px 5)" "$(py 22)" "$(px 12)" "$(py 24)"
e2e_wait_for "the stream copy on the clipboard" 30 copied stream 5 22 12 24
e2e_wait_for "the copy to be logged" 10 grep -qx "Text Copied to Clipboard" "$BRIXEL_LOG"

# Middle drag over a block of rows 1-2, columns 3-10, dragged up and left.
e2e_drag 2 "$(px 10)" "$(py 2)" "$(px 3)" "$(py 1)"
e2e_wait_for "the block copy on the clipboard" 30 copied block 3 1 10 2
# Non-ASCII screen characters arrive as UTF-8 (the sample is drawn in blocks).
e2e_drag 1 "$(px 1)" "$(py 3)" "$(px 40)" "$(py 8)"
e2e_wait_for "the block characters on the clipboard" 30 copied stream 1 3 40 8
grep -q $'\xe2\x96' "$E2E_TMP/clip.txt" || e2e_fail "no block characters in the copy of the sample"

kill -0 "$BRIXEL_PID" || e2e_fail "Brixel ended during the copies"
echo "clipboard test passed"
