#!/usr/bin/env bash
# Editing a glyph in the window: G on a copy of the demo font file opens 'a'
# of the Color font, a click puts the cursor on a cell, F9 and F10 change the
# colour, 'x' and F1 set two cells and Ctrl+Z takes the second back; Ctrl+S
# saves and Esc goes back to the main screen, whose sample shows the new
# glyph. brixel-cli glyph reads the one changed cell back.
source "$(dirname "$0")/lib.sh"
: "${BRIXEL_CLI:?run through ctest}"

work="$E2E_TMP/work"
mkdir -p "$work"
cp "$BRIXEL_BINARY_DIR/demo.tdf" "$work/demo.tdf"
"$BRIXEL_CLI" glyph --font 2 --json "$work/demo.tdf" a >"$E2E_TMP/before.json"


e2e_start_x
e2e_start_brixel demo.tdf
e2e_wait_for "the main screen" 30 e2e_row_shows 1 "Name: Brixel Color [Color]"

e2e_edit_glyph_a " Glyph a Brixel Color [Color]"
# Cell (4, 5) of the screen is the glyph's third cell of its third row.
xdotool mousemove --sync --window "$BRIXEL_WID" $((3 * 8 + 4)) $((4 * 16 + 8)) click 1
e2e_wait_for "the cursor on the clicked cell" 30 e2e_row_shows 1 "At 3,3"
e2e_key F9 F10 x F1 ctrl+z ctrl+s
e2e_wait_for "the glyph saved" 30 e2e_row_shows 24 "Saved."
e2e_key Escape
e2e_wait_for "the main screen again" 30 e2e_row_shows 25 "Help"

"$BRIXEL_CLI" glyph --font 2 --json "$work/demo.tdf" a >"$E2E_TMP/after.json"
python3 - "$E2E_TMP/before.json" "$E2E_TMP/after.json" <<'PY' || e2e_fail "the stored glyph is not the edited one"
import json, sys
before, after = (json.load(open(p)) for p in sys.argv[1:3])
rows = before["rows"]
first = next(cell for row in rows for cell in row if cell)
fg, bg = first[1] & 15, first[1] >> 4
rows[2][2] = [ord("x"), (fg + 1) % 16 + (bg + 1) % 16 * 16]
assert after["rows"] == rows, (after["rows"], rows)
assert (after["width"], after["height"]) == (before["width"], before["height"])
PY
"$BRIXEL_CLI" render --font 2 --x 1 --y 3 --json "$work/demo.tdf" Sample >"$E2E_TMP/want.json"
e2e_wait_for "the edited glyph in the sample" 30 e2e_sample_matches "$E2E_TMP/want.json"
e2e_key Escape
e2e_wait_exit 20
[ "$BRIXEL_STATUS" -eq 0 ] || e2e_fail "ESC ended with $BRIXEL_STATUS"
echo "glyph editor test passed"
