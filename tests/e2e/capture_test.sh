#!/usr/bin/env bash
# Building a font from a picture in the window: C makes a new Color font file,
# L loads it, A opens the demo art, a middle-button drag marks a block, the
# TDF Chars browser names it "a", and back on the main screen the sample
# "Sample" shows the new glyph. The file holds exactly the marked cells.
# A keeps its folder in the brixel.ini next to the program: a private copy of
# the program keeps the build tree's clean.
source "$(dirname "$0")/lib.sh"
: "${BRIXEL_CLI:?run through ctest}"

bin="$E2E_TMP/bin"
work="$E2E_TMP/work"
mkdir -p "$bin" "$work"
cp "$BRIXEL_BIN" "$bin/brixel"
for f in 80x25.png click.wav bell.wav tdf.ico; do cp "$BRIXEL_BINARY_DIR/$f" "$bin/"; done
BRIXEL_BIN="$bin/brixel"
cp "$BRIXEL_BINARY_DIR/demo.tdf" "$work/demo.tdf"
cp "$BRIXEL_SOURCE_DIR/assets/demo.ans" "$work/demo.ans"

# The middle of cell (COLUMN, ROW) in window pixels (8x16 cells).
cell_x() { echo $((($1 - 1) * 8 + 4)); }
cell_y() { echo $((($1 - 1) * 16 + 8)); }

e2e_start_x
e2e_start_brixel demo.tdf
e2e_wait_for "the main screen" 30 e2e_row_shows 1 "demo.tdf"

e2e_key c
e2e_wait_for "the Font File dialog" 30 e2e_row_shows 5 " Font File "
e2e_key Return
e2e_wait_for "the name box" 30 e2e_row_shows 7 " Font Name "
xdotool type --clearmodifiers "Cap"
e2e_key Return
e2e_wait_for "the type list" 30 e2e_row_shows 11 " Font Type "
e2e_key Down Down Return
e2e_wait_for "the font created" 30 e2e_row_shows 12 "Font created!"
e2e_key Return

e2e_key l
e2e_wait_for "the Load dialog" 30 e2e_row_shows 5 " Load Font "
e2e_key Down Return  # demo.tdf, newfont.tdf
e2e_wait_for "newfont.tdf loaded" 30 e2e_row_shows 1 "newfont.tdf"

e2e_key a
e2e_wait_for "the Select Image dialog" 30 e2e_row_shows 5 " Select Image "
e2e_key Return
e2e_wait_for "the viewer's percent bar" 30 e2e_row_shows 25 "▄▄▄▄▄▄▄▄▄▄"
e2e_drag 2 "$(cell_x 3)" "$(cell_y 4)" "$(cell_x 12)" "$(cell_y 6)"
e2e_wait_for "the TDF Chars browser" 30 e2e_row_shows 8 " TDF Chars "
e2e_key Down
for _ in $(seq 17); do e2e_key Right; done
e2e_wait_for "'a' highlighted" 30 e2e_row_shows 9 "Dec: 97 Hex: 61"
e2e_key Return
e2e_key Escape
e2e_wait_for "the main screen again" 30 e2e_row_shows 1 "newfont.tdf"
grep -qx "path=$work/" "$bin/brixel.ini" || e2e_fail "the art folder was not kept: $(cat "$bin/brixel.ini" 2>&1)"

"$BRIXEL_CLI" ansi --json "$work/demo.ans" >"$E2E_TMP/art.json"
python3 - "$E2E_TMP/art.json" "$work/newfont.tdf" <<'PY' || e2e_fail "the stored glyph is not the marked block"
import json, sys
rows = json.load(open(sys.argv[1]))
data = open(sys.argv[2], "rb").read()
record = bytearray([10, 3])
for y in range(4, 7):
    for x in range(3, 13):
        ch, attr = rows[y - 1][x - 1]
        record += bytes([32 if ch in (0, 13, 255) else ch, attr])
    record.append(13 if y < 6 else 0)
assert data[233:] == bytes(record), (data[233:].hex(), record.hex())
PY
# The sample "Sample" at (1, 3) now shows the glyph: its top row is the art's row 4.
"$BRIXEL_CLI" render --x 1 --y 3 --json "$work/newfont.tdf" Sample >"$E2E_TMP/want.json"
e2e_wait_for "the new glyph in the sample" 30 e2e_sample_matches "$E2E_TMP/want.json"
e2e_key Escape
e2e_wait_exit 20
[ "$BRIXEL_STATUS" -eq 0 ] || e2e_fail "ESC ended with $BRIXEL_STATUS"
echo "capture test passed"
