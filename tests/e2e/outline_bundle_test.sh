#!/usr/bin/env bash
# An Outline font in the window: O steps the style, the sample follows and the
# style is kept in brixel.ini. A bundle of 300 fonts is stepped past font 255.
# Brixel runs from a copy in a temp dir, so the brixel.ini it writes next to
# itself goes away with the test.
source "$(dirname "$0")/lib.sh"

bin="$E2E_TMP/bin"
work="$E2E_TMP/work"
mkdir -p "$bin" "$work"
cp "$BRIXEL_BIN" "$bin/brixel"
for f in 80x25.png click.wav bell.wav tdf.ico; do cp "$BRIXEL_BINARY_DIR/$f" "$bin/"; done
BRIXEL_BIN="$bin/brixel"

python3 - "$work" <<'PY'
import struct, sys
def font(name, ftype, glyphs):
    block, offsets = b"", [0xFFFF] * 94
    for ch, rec in sorted(glyphs.items()):
        offsets[ord(ch) - 33] = len(block)
        block += rec
    header = bytes([0x55, 0xAA, 0, 0xFF, len(name)]) + name.ljust(12, b"\0") + bytes(4)
    header += bytes([ftype, 1]) + struct.pack("<H", len(block)) + struct.pack("<94H", *offsets)
    return header + block
sig = bytes([19]) + b"TheDraw FONTS file\x1a"
frame = bytes([4, 2]) + b"EAAF\rKBBL\0"
open(sys.argv[1] + "/outline.tdf", "wb").write(sig + font(b"Frame", 0, {"a": frame, "d": frame, "f": frame, "1": frame}))
bar = bytes([1, 1, 0xDB, 0])
with open(sys.argv[1] + "/bundle.tdf", "wb") as f:
    f.write(sig)
    for i in range(1, 301):
        f.write(font(b"N%d" % i, 1, {"a": bar}))
PY


e2e_start_x
e2e_start_brixel outline.tdf
e2e_wait_for "the style on row 25" 30 e2e_row_shows 25 "Outline style 0" 13
e2e_wait_for "the sample in style 0" 30 e2e_row_shows 3 "┌──┐"
e2e_key o
e2e_wait_for "style 1 on row 25" 30 e2e_row_shows 25 "Outline style 1" 13
e2e_wait_for "the sample in style 1" 30 e2e_row_shows 3 "╒══╕"
grep -qx "OutlineStyle=1" "$bin/brixel.ini" || e2e_fail "the style was not kept: $(cat "$bin/brixel.ini" 2>&1)"
e2e_key Escape
e2e_wait_exit 20
[ "$BRIXEL_STATUS" -eq 0 ] || e2e_fail "ESC ended with $BRIXEL_STATUS"

# The kept style is where the next start begins.
e2e_start_brixel outline.tdf
e2e_wait_for "style 1 after a restart" 30 e2e_row_shows 25 "Outline style 1" 13
e2e_key Escape
e2e_wait_exit 20

e2e_start_brixel bundle.tdf
e2e_wait_for "the last of 300 fonts" 30 e2e_row_shows 1 "Font: 300/300" 26
e2e_key --repeat 44 Down
e2e_wait_for "font 256" 30 e2e_row_shows 1 "Font: 256/300" 26
e2e_key Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up
e2e_wait_for "font 1 after wrapping" 30 e2e_row_shows 1 "Font: 1/300" 26
e2e_key Escape
e2e_wait_exit 20
[ "$BRIXEL_STATUS" -eq 0 ] || e2e_fail "ESC ended with $BRIXEL_STATUS"
echo "outline and bundle test passed"
