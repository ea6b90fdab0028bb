#!/usr/bin/env bash
# The font browser in the window: B lists the fonts under the font folder
# (the working directory, as no brixel.ini names one; .tdf, .flf and .tlf
# files together), the sample follows the highlight, and Enter puts the
# chosen font on the main screen.
source "$(dirname "$0")/lib.sh"

fonts="$E2E_TMP/work"
mkdir -p "$fonts/sub"

# Every font draws each of "Sample" as one row of its own letter three times.
python3 - "$fonts" <<'PY'
import struct, sys
def font(name, ftype, letter):
    cell = bytes([letter]) + (bytes([0x1E]) if ftype == 2 else b"")
    glyph = bytes([3, 1]) + cell * 3 + b"\0"
    offsets = [0xFFFF] * 94
    for i, ch in enumerate("Sample"):
        offsets[ord(ch) - 33] = i * len(glyph)
    header = bytes([0x55, 0xAA, 0, 0xFF, len(name)]) + name.ljust(12, b"\0") + bytes(4)
    header += bytes([ftype, 1]) + struct.pack("<H", 6 * len(glyph)) + struct.pack("<94H", *offsets)
    return header + glyph * 6
sig = bytes([19]) + b"TheDraw FONTS file\x1a"
open(sys.argv[1] + "/a.tdf", "wb").write(sig + font(b"Alpha", 1, ord("A")))
open(sys.argv[1] + "/sub/b.tdf", "wb").write(sig + font(b"Beta", 1, ord("B")) + font(b"Gamma", 2, ord("G")))
PY
# A FIGlet and a TOIlet font among them, made of Beta and Gamma: Block fonts.
"$BRIXEL_CLI" export --format flf --font 1 "$fonts/sub/b.tdf" "$fonts/z.flf" >/dev/null
"$BRIXEL_CLI" export --format tlf --font 2 "$fonts/sub/b.tdf" "$fonts/sub/c.tlf" >/dev/null

e2e_start_x
e2e_start_brixel "$fonts/a.tdf"
e2e_wait_for "the main screen" 30 e2e_row_shows 1 "Name: Alpha [Block]"
xdotool key --clearmodifiers b
e2e_wait_for "the list of five fonts" 30 e2e_row_shows 14 "Fonts: 5 of 5"
e2e_wait_for "Alpha's sample" 30 e2e_row_shows 3 "AAA AAA AAA AAA AAA AAA"
xdotool key --clearmodifiers Down
e2e_wait_for "Beta's sample" 30 e2e_row_shows 3 "BBB BBB BBB BBB BBB BBB"
xdotool key --clearmodifiers Down
e2e_wait_for "Gamma's sample" 30 e2e_row_shows 3 "GGG GGG GGG GGG GGG GGG"
e2e_wait_for "Gamma's status line" 30 e2e_row_shows 1 "Name: Gamma [Color]"
xdotool key --clearmodifiers Down
e2e_wait_for "the TOIlet font's status line" 30 e2e_row_shows 1 "Name: c [Block]"
e2e_row_shows 3 "GGG GGG GGG GGG GGG GGG" || e2e_fail "the TOIlet font's sample"
xdotool key --clearmodifiers Down
e2e_wait_for "the FIGlet font's status line" 30 e2e_row_shows 1 "Name: z [Block]"
e2e_row_shows 3 "BBB BBB BBB BBB BBB BBB" || e2e_fail "the FIGlet font's sample"
xdotool key --clearmodifiers Up Up
e2e_wait_for "Gamma again" 30 e2e_row_shows 1 "Name: Gamma [Color]"
xdotool key --clearmodifiers Return
e2e_wait_for "the main screen without the list" 30 e2e_row_shows 25 "Help"
e2e_wait_for "the chosen file and font" 30 e2e_row_shows 1 "b.tdf                    Font: 2/2"
e2e_row_shows 1 "Name: Gamma [Color]" || e2e_fail "the status line does not name Gamma"
e2e_row_shows 3 "GGG GGG GGG GGG GGG GGG" || e2e_fail "the main screen does not draw Gamma"
xdotool key --clearmodifiers Escape
e2e_wait_exit 20
[ "$BRIXEL_STATUS" -eq 0 ] || e2e_fail "ESC ended with $BRIXEL_STATUS"
echo "font browser test passed"
