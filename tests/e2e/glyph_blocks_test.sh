#!/usr/bin/env bash
# Drawing glyphs with the mouse and blocks in the window: in a new Block font,
# 'A' is made 4x2 and a stroke of the mouse paints its first row with the
# left half block typed before; the first two cells, marked with Shift, are
# copied, 'A' is saved and Ctrl+PgDn goes on to 'B', where the block is
# pasted, marked, flipped, undone and redone, and saved. brixel-cli glyph
# reads both glyphs back.
source "$(dirname "$0")/lib.sh"
: "${BRIXEL_CLI:?run through ctest}"

work="$E2E_TMP/work"
mkdir -p "$work"
"$BRIXEL_CLI" create "$work/new.tdf" Strokes block

# The window's pixel in the middle of screen cell (column, row), 1-based; the
# glyph's cell (0, 0) is screen cell (2, 3).
cell_x() { echo $((($1 - 1) * 8 + 4)); }
cell_y() { echo $((($1 - 1) * 16 + 8)); }
# halves_show ROW CODE...: whether the glyph's first cells on screen row ROW
# are these half blocks in white. Pixels cannot tell a half block in white
# on black from the opposite half in black on white, so both count.
halves_show() {
  e2e_shot "$E2E_TMP/halves.png"
  e2e_decode "$E2E_TMP/halves.png" >"$E2E_TMP/halves.json" 2>/dev/null || return 1
  python3 - "$E2E_TMP/halves.json" "$E2E_TMP/seen.txt" "$@" <<'PY'
import json, sys
rows = json.load(open(sys.argv[1]))
row, want = int(sys.argv[3]), [int(c) for c in sys.argv[4:]]
opposite = {0xDD: 0xDE, 0xDE: 0xDD}
cells = rows[row - 1][1:1 + len(want)]
open(sys.argv[2], "w").write(str(cells))
sys.exit(0 if all((c, a) == (w, 0x0F) or (c, a) == (opposite[w], 0xF0)
                  for (c, a), w in zip(cells, want)) else 1)
PY
}

e2e_start_x
e2e_start_brixel new.tdf
e2e_wait_for "the main screen" 30 e2e_row_shows 1 "Name: Strokes"
e2e_key g
e2e_wait_for "the TDF Chars browser" 30 e2e_row_shows 8 " TDF Chars "
e2e_key A Return
e2e_wait_for "the editor on A" 30 e2e_row_shows 1 " Glyph A Strokes"
e2e_key ctrl+Right ctrl+Right ctrl+Right Next
e2e_wait_for "a 4x2 glyph" 30 e2e_row_shows 1 "Size 4x2"
# F7 types the left half block into cell (0, 0) and makes it the brush.
e2e_key F7
e2e_wait_for "the cursor on the second cell" 30 e2e_row_shows 1 "At 2,1"
e2e_drag 1 "$(cell_x 3)" "$(cell_y 3)" "$(cell_x 5)" "$(cell_y 3)"
e2e_wait_for "the stroke" 30 halves_show 3 221 221 221 221
e2e_key Home shift+Right ctrl+c
e2e_wait_for "the block copied" 30 e2e_row_shows 24 "Copied 2x1."
e2e_key ctrl+s
e2e_wait_for "A saved" 30 e2e_row_shows 24 "Saved."
e2e_key ctrl+Next
e2e_wait_for "the editor on B" 30 e2e_row_shows 1 " Glyph B Strokes"
e2e_key ctrl+v Return
e2e_wait_for "the block pasted" 30 e2e_row_shows 1 "Size 2x1"
# Esc drops the mark: on its blue a half block could read as its opposite.
e2e_key shift+Right h Escape
e2e_wait_for "the block flipped" 30 halves_show 3 222 222
e2e_key ctrl+z
e2e_wait_for "the flip undone" 30 halves_show 3 221 221
e2e_key ctrl+r
e2e_wait_for "the flip redone" 30 halves_show 3 222 222
e2e_key ctrl+s
e2e_wait_for "B saved" 30 e2e_row_shows 24 "Saved."
e2e_key Escape
e2e_wait_for "the main screen again" 30 e2e_row_shows 25 "Help"

python3 - "$BRIXEL_CLI" "$work/new.tdf" <<'PY' || e2e_fail "the stored glyphs are not the ones drawn"
import json, subprocess, sys
cli, font = sys.argv[1:3]
def glyph(ch):
    out = subprocess.run([cli, "glyph", "--json", font, ch], capture_output=True, check=True)
    g = json.loads(out.stdout)
    return g["width"], g["height"], g["rows"]
a, b = glyph("A"), glyph("B")
assert a[:2] == (4, 2) and a[2][0] == [0xDD] * 4, a
assert all(cell is None for row in a[2][1:] for cell in row), a
assert b == (2, 1, [[0xDE, 0xDE]]), b
PY
e2e_key Escape
e2e_wait_exit 20
[ "$BRIXEL_STATUS" -eq 0 ] || e2e_fail "ESC ended with $BRIXEL_STATUS"
echo "glyph blocks test passed"
