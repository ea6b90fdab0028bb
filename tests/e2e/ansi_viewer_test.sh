#!/usr/bin/env bash
# S saves the main screen as ANSI art, and A shows that file with the same
# cells. A with the demo art shows it cell for cell as brixel-cli ansi
# interprets it; Page Down moves on by the 22 rows shown; Ctrl+S writes the
# text export beside the art and says so; ESC returns to the main screen. A
# picture wider than 80 columns scrolls sideways.
source "$(dirname "$0")/lib.sh"
: "${BRIXEL_CLI:?run through ctest}"

work="$E2E_TMP/work"
mkdir -p "$work"
cp "$BRIXEL_BINARY_DIR/demo.ans" "$BRIXEL_BINARY_DIR/demo.tdf" "$work/"
e2e_private_program
"$BRIXEL_CLI" ansi --json "$work/demo.ans" >"$E2E_TMP/demo.json"


# shot: a fresh screenshot decoded into $E2E_TMP/shot.json (false when unreadable).
shot() {
  e2e_shot "$E2E_TMP/shot.png"
  "$SCREEN_DECODE" "$GLYPH_SHEET" "$E2E_TMP/shot.png" >"$E2E_TMP/shot.json" 2>/dev/null || true
  python3 -c 'import json, sys; json.load(open(sys.argv[1]))' "$E2E_TMP/shot.json" 2>/dev/null
}

# shows ROW TEXT: whether row ROW of a fresh screenshot holds TEXT.
shows() {
  shot || return 1
  python3 - "$E2E_TMP/shot.json" "$1" "$2" "$E2E_TMP/seen.txt" <<'PY'
import json, sys
rows = json.load(open(sys.argv[1]))
row = bytes(c if c > 13 else 32 for c, _ in rows[int(sys.argv[2]) - 1]).decode("cp437")
open(sys.argv[4], "w").write(row)
sys.exit(0 if sys.argv[3] in row else 1)
PY
}

# shows_cells CELLS.json FROM ROW COUNT [LEFT]: whether screen rows ROW..
# show, in columns 1-79, COUNT rows of CELLS.json from row FROM on and from
# its column LEFT (default 1) on, as the viewer draws them (0 and 255 as
# blanks). Compared pixel for pixel.
shows_cells() {
  shot || return 1
  python3 - "$1" "$E2E_TMP/shot.json" "$E2E_TMP/want.json" "$2" "$3" "$4" "${5:-1}" <<'PY' || return 1
import json, sys
cells, shot = json.load(open(sys.argv[1])), json.load(open(sys.argv[2]))
first, row, count, left = map(int, sys.argv[4:8])
for k in range(count):
    for x in range(79):
        c, a = cells[first - 1 + k][left - 1 + x]
        shot[row - 1 + k][x] = [32 if c in (0, 255) else c, a]
json.dump(shot, open(sys.argv[3], "w"))
PY
  "$SCREEN_DECODE" "$GLYPH_SHEET" "$E2E_TMP/shot.png" "$E2E_TMP/want.json" >"$E2E_TMP/seen.txt" 2>&1
}

e2e_start_x
e2e_start_brixel demo.tdf
e2e_wait_for "the main screen" 30 shows 1 "demo.tdf "
e2e_screen_settles "$E2E_TMP/main.json"

# S: the dialog offers the font's name in the working directory; Enter takes it.
e2e_key s
e2e_wait_for "the Save Screen dialog" 30 shows 5 " Save Screen "
e2e_key Return
e2e_wait_for "the saved screen" 30 test -s "$work/Brixel Color.ans"
e2e_wait_for "the main screen again" 30 shows 1 "demo.tdf "

# A on the saved file: rows 2-21 of the main screen, on rows 1-20.
e2e_key a
e2e_wait_for "the Select Image dialog" 30 shows 5 " Select Image "
e2e_wait_for "both pictures listed" 30 shows 9 "Files (2)"
e2e_key Return
e2e_wait_for "the saved screen in the viewer" 30 shows_cells "$E2E_TMP/main.json" 2 1 20
e2e_key Escape
e2e_wait_for "the main screen after the viewer" 30 shows 1 "demo.tdf "

# A on the demo art, then a page on.
e2e_key a
e2e_wait_for "the Select Image dialog again" 30 shows 9 "Files (2)"
e2e_key Down Return
e2e_wait_for "the demo art" 30 shows_cells "$E2E_TMP/demo.json" 1 1 22
e2e_key Next
e2e_wait_for "the demo art from row 23" 30 shows_cells "$E2E_TMP/demo.json" 23 1 22

# Ctrl+S: Enter in the name field saves; the text export lands beside the
# art under its name, and the message says where.
e2e_key ctrl+s
e2e_wait_for "the file name prompt" 30 shows 13 "Enter Filename:"
e2e_wait_for "the art's name offered" 30 shows 14 "demo.txt"
e2e_key Return
e2e_wait_for "the message naming the export" 30 shows 12 "Saved as "
grep -q "/work/demo.txt" "$E2E_TMP/seen.txt" || e2e_fail "the message does not name the file: $(cat "$E2E_TMP/seen.txt")"
"$BRIXEL_CLI" text "$work/demo.ans" "$E2E_TMP/want.txt" || e2e_fail "brixel-cli text failed"
cmp -s "$work/demo.txt" "$E2E_TMP/want.txt" || e2e_fail "the export differs from brixel-cli text"
[ ! -e "$(dirname "$BRIXEL_BIN")/demo.txt" ] || e2e_fail "the export went next to the program"
e2e_key Return
e2e_wait_for "the viewer back after the message" 30 shows_cells "$E2E_TMP/demo.json" 23 1 22

e2e_key Escape
e2e_wait_for "the main screen before the wide art" 30 shows 1 "demo.tdf "

# A picture of 160 columns (its record says so) scrolls sideways: Right 8
# columns on, Ctrl+End to its right edge, Ctrl+Home back to its left one.
python3 - "$work/wide.ans" <<'PY'
import sys
art = b""
for y in range(30):  # each row fills the 160 columns and wraps by itself
    for x in range(0, 160, 10):
        art += b"\x1b[%d;%dm" % (30 + (x // 10 + y) % 8, 40 + (x // 20) % 8)
        art += bytes(33 + (x + k + 3 * y) % 90 for k in range(10))
record = b"SAUCE00" + b" " * 75 + b"20261208" + bytes(4) + bytes([1, 1]) + (160).to_bytes(2, "little")
record += bytes(6) + bytes([0, 1]) + bytes(22)
open(sys.argv[1], "wb").write(art + b"\x1a" + record)
PY
"$BRIXEL_CLI" ansi --json "$work/wide.ans" >"$E2E_TMP/wide.json"
e2e_key a
e2e_wait_for "the Select Image dialog with the wide art" 30 shows 9 "Files (3)"
e2e_key Down Down Return
e2e_wait_for "the wide art" 30 shows_cells "$E2E_TMP/wide.json" 1 1 22
e2e_key Right
e2e_wait_for "the wide art from column 9" 30 shows_cells "$E2E_TMP/wide.json" 1 1 22 9
e2e_key ctrl+End
e2e_wait_for "the wide art's right edge" 30 shows_cells "$E2E_TMP/wide.json" 1 1 22 82
e2e_key ctrl+Home
e2e_wait_for "the wide art's left edge" 30 shows_cells "$E2E_TMP/wide.json" 1 1 22
e2e_key Escape
e2e_wait_for "the main screen at the end" 30 shows 1 "demo.tdf "
e2e_key Escape
e2e_wait_exit 20
[ "$BRIXEL_STATUS" -eq 0 ] || e2e_fail "ESC ended with $BRIXEL_STATUS"
echo "ansi viewer test passed"
