#!/usr/bin/env bash
# A opens an XBin file that carries its own 8-pixel font and palette: the
# picture's rows show exactly those glyphs (stretched to the window's cells)
# in those colours, while the character list below keeps the window's font;
# ESC brings the main screen back in the window's own look. A picture whose
# SAUCE record says blink blinks its bit-7 cells and nothing else.
source "$(dirname "$0")/lib.sh"

work="$E2E_TMP/work"
mkdir -p "$work"
cp "$BRIXEL_BINARY_DIR/demo.tdf" "$work/"
e2e_private_program

# 80 columns, 5 rows, a palette, a font 8 pixels high, non-blink.
python3 - "$work/OWNFONT.XB" <<'PY'
import sys
cols, rows, height = 80, 5, 8
palette = bytes(v for i in range(16) for v in ((i * 4) % 64, 63 - i * 3, (i * 17) % 64))
font = bytes((g * 37 + y * 91 + (g >> 3) * y) & 0xFF for g in range(256) for y in range(height))
cells = b""
for y in range(rows):
    for x in range(cols):
        cells += bytes([(x * 7 + y * 13) & 0xFF, (x * 29 + y * 5 + 1) & 0xFF])
header = b"XBIN\x1a" + cols.to_bytes(2, "little") + rows.to_bytes(2, "little") + bytes([height, 0x0B])
open(sys.argv[1], "wb").write(header + palette + font + cells)
PY

# art_shown: whether screen rows 1-5, columns 1-79, of a fresh screenshot are
# the file's cells drawn pixel for pixel from its font and palette (0 and 255
# as blanks, as the viewer draws them).
art_shown() {
  e2e_shot "$E2E_TMP/art.png"
  convert "$E2E_TMP/art.png" -depth 8 "rgb:$E2E_TMP/art.rgb" || return 1
  python3 - "$E2E_TMP/art.rgb" "$work/OWNFONT.XB" "$E2E_TMP/seen.txt" <<'PY'
import sys
pixels, xb, height = open(sys.argv[1], "rb").read(), open(sys.argv[2], "rb").read(), 8
palette = [tuple((v << 2) | (v >> 4) for v in xb[11 + 3 * i:14 + 3 * i]) for i in range(16)]
font, cells = xb[59:59 + 256 * height], xb[59 + 256 * height:]
bad = set()
for row in range(5):
    for col in range(79):
        ch, attr = cells[2 * (row * 80 + col):2 * (row * 80 + col) + 2]
        ch = 32 if ch in (0, 255) else ch
        for y in range(16):
            bits = font[ch * height + ((2 * y + 1) * height) // 32]
            for x in range(8):
                want = palette[attr & 15] if bits & (0x80 >> x) else palette[attr >> 4]
                p = 3 * ((row * 16 + y) * 640 + col * 8 + x)
                if tuple(pixels[p:p + 3]) != want:
                    bad.add((col + 1, row + 1))
open(sys.argv[3], "w").write("cells differ: %s" % sorted(bad)[:8])
sys.exit(0 if not bad else 1)
PY
}

# shows ROW TEXT: whether row ROW of a fresh screenshot, decoded with the
# window's own sheet and colours, holds TEXT.
shows() {
  e2e_row_shows "$@"
}
: "${BRIXEL_CLI:?run through ctest}"

e2e_start_x
e2e_start_brixel demo.tdf
e2e_wait_for "the main screen" 30 shows 1 "demo.tdf "

e2e_key a
e2e_wait_for "the Select Image dialog listing the XBin file" 30 shows 9 "Files (1)"
e2e_key Return
e2e_wait_for "the XBin picture in its own font and colours" 30 art_shown
e2e_wait_for "the character list in the window's font" 30 shows 23 "Chars.:"

e2e_key Escape
e2e_wait_for "the main screen in the window's look" 30 shows 1 "demo.tdf "

# A picture whose SAUCE record says blink (not iCE): its cells with bit 7
# blink, foreground over the dark background, and nothing else changes.
python3 - "$work/blink.ans" <<'PY'
import sys
art = b""
for y in range(4):
    art += b"\x1b[0;33;44mstill %d \x1b[5;31;46mBLINKING\x1b[0;32m green \x1b[5;1;37;41m#%d\x1b[0m\r\n" % (y, y)
record = b"SAUCE00" + b" " * 75 + b"20261208" + bytes(4) + bytes([1, 1]) + (80).to_bytes(2, "little")
record += bytes(6) + bytes([0, 0]) + bytes(22)  # flags 0: bit 7 blinks
open(sys.argv[1], "wb").write(art + b"\x1a" + record)
PY
"$BRIXEL_CLI" ansi --json "$work/blink.ans" >"$E2E_TMP/blink.json"

# blink_phase on|off: whether a fresh screenshot shows the picture's rows 1-4
# with the blinking cells in that phase (on: the glyph over the dark
# background; off: the dark background alone) and every other cell as it is.
blink_phase() {
  e2e_shot "$E2E_TMP/blink.png"
  e2e_decode "$E2E_TMP/blink.png" >"$E2E_TMP/blinkshot.json" 2>/dev/null || true
  python3 - "$E2E_TMP/blink.json" "$E2E_TMP/blinkshot.json" "$E2E_TMP/blinkwant.json" "$1" <<'PY' || return 1
import json, sys
cells = json.load(open(sys.argv[1]))
try:
    shot = json.load(open(sys.argv[2]))
except ValueError:
    sys.exit(1)
on = sys.argv[4] == "on"
blinking = 0
for y in range(4):
    for x in range(79):
        c, a = cells[y][x]
        c = 32 if c in (0, 255) else c
        if a & 0x80:
            blinking += 1
            dark = (a >> 4) & 7
            c, a = (c, a & 0x7F) if on else (32, dark << 4 | dark)
        shot[y][x] = [c, a]
assert blinking > 0
json.dump(shot, open(sys.argv[3], "w"))
PY
  "$SCREEN_DECODE" "$GLYPH_SHEET" "$E2E_TMP/blink.png" "$E2E_TMP/blinkwant.json" >"$E2E_TMP/seen.txt" 2>&1
}

e2e_key a
e2e_wait_for "the Select Image dialog listing the blinking art" 30 shows 9 "Files (2)"
e2e_key Down Return
e2e_wait_for "the blinking cells on" 30 blink_phase on
e2e_wait_for "the blinking cells off" 30 blink_phase off
e2e_wait_for "the blinking cells on again" 30 blink_phase on
e2e_key Escape
e2e_wait_for "the main screen after the blinking art" 30 shows 1 "demo.tdf "
e2e_key Escape
e2e_wait_exit 20
[ "$BRIXEL_STATUS" -eq 0 ] || e2e_fail "ESC ended with $BRIXEL_STATUS"
echo "art window test passed"
