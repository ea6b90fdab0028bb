#!/usr/bin/env bash
# brixel-cli fonts --sheet and --duplicates: a contact sheet as tall as the
# banners of its fonts, and the fonts of two copies of a bundle in pairs.
source "$(dirname "$0")/cli_lib.sh"
src=${BRIXEL_SOURCE_DIR:?BRIXEL_SOURCE_DIR must point at the source tree}
corpus="$src/../shared/corpus/tdf"

# bundle.tdf: Alpha (A B), Tall (A, three rows), Alpha again under the name
# Copy; copy.tdf is the same file.
mkdir -p "$work/fonts"
python3 - "$work/fonts" <<'PY'
import struct, sys
def font(name, chars, rows=2):
    block, offsets = b"", [0xFFFF] * 94
    for ch in chars:
        offsets[ord(ch) - 33] = len(block)
        block += bytes([2, rows]) + b"\r".join([ch.encode() * 2] * rows) + b"\0"
    header = bytes([0x55, 0xAA, 0, 0xFF, len(name)]) + name.ljust(12, b"\0") + bytes(4)
    header += bytes([1, 1]) + struct.pack("<H", len(block)) + struct.pack("<94H", *offsets)
    return header + block
data = bytes([19]) + b"TheDraw FONTS file\x1a" + font(b"Alpha", "AB") + font(b"Tall", "A", 3) \
    + font(b"Copy", "AB")
for name in ("bundle.tdf", "copy.tdf"):
    open(sys.argv[1] + "/" + name, "wb").write(data)
PY
cd "$work"

# png_size FILE: "WIDTH HEIGHT" from the PNG header.
png_size() {
  python3 -c 'import struct, sys; d = open(sys.argv[1], "rb").read(24); print("%d %d" % struct.unpack(">II", d[16:24]))' "$1"
}

# The sheet: a band for every font, its caption, its banner as render draws
# it and a blank row; 80 columns of 8x16 pixels.
run "$cli" fonts --sheet sheet.png AB fonts
expect_rc 0 "--sheet"
rows=0
for font in fonts/bundle.tdf:1 fonts/bundle.tdf:2 fonts/bundle.tdf:3 fonts/copy.tdf:1 \
  fonts/copy.tdf:2 fonts/copy.tdf:3; do
  drawn=$("$cli" render --format json "$font" AB 2>/dev/null | python3 -c 'import json, sys; print(len(json.load(sys.stdin)))')
  rows=$((rows + drawn + 2))
done
[ "$(png_size sheet.png)" = "640 $((rows * 16))" ] || fail "sheet is $(png_size sheet.png), want 640 $((rows * 16))"
run "$cli" fonts --sheet has.png --has B AB fonts
expect_rc 0 "--sheet --has"
[ "$(png_size has.png)" = "640 $(((rows - 2 * 5) * 16))" ] || fail "--has B kept $(png_size has.png)"
cp fonts/bundle.tdf keep.tdf
run "$cli" fonts --sheet fonts/bundle.tdf AB fonts
expect_rc 1 "--sheet onto a font file"
cmp -s keep.tdf fonts/bundle.tdf || fail "--sheet wrote over a font file"
run "$cli" fonts --sheet x.png fonts
expect_rc 1 "--sheet without TEXT"

# Duplicates: Alpha and Copy of both files in one group, Tall in another.
run "$cli" fonts --duplicates fonts
expect_rc 0 "--duplicates"
cat >want <<'TXT'
fonts/bundle.tdf  1  Alpha
fonts/bundle.tdf  3  Copy
fonts/copy.tdf    1  Alpha
fonts/copy.tdf    3  Copy

fonts/bundle.tdf  2  Tall
fonts/copy.tdf    2  Tall
TXT
diff want "$work/out" >&2 || fail "--duplicates text differs"
run "$cli" fonts --duplicates --json fonts
python3 - "$work/out" <<'PY' || fail "--duplicates --json"
import json, sys
groups = json.load(open(sys.argv[1]))
assert [len(g["fonts"]) for g in groups] == [4, 2], groups
assert groups[1]["type"] == "Block" and groups[1]["spacing"] == 1 and groups[1]["glyphs"] == 1
PY

# Two copies of a real bundle: every font has its twin in the other copy.
if [ -f "$corpus/tdfonts-2.tdf" ]; then
  mkdir twice
  ln -s "$corpus/tdfonts-2.tdf" twice/a.tdf
  ln -s "$corpus/tdfonts-2.tdf" twice/b.tdf
  run "$cli" fonts --duplicates --json twice
  expect_rc 0 "--duplicates of two copies of a bundle"
  python3 - "$work/out" <<'PY' || fail "two copies of a bundle are not in pairs"
import json, sys
groups = json.load(open(sys.argv[1]))
files = lambda g: sorted(f["file"] for f in g["fonts"])
numbers = sorted(f["number"] for g in groups for f in g["fonts"] if f["file"] == "twice/a.tdf")
assert numbers == list(range(1, 30)), numbers
for g in groups:
    half = len(g["fonts"]) // 2
    assert files(g) == ["twice/a.tdf"] * half + ["twice/b.tdf"] * half, g
    assert sorted(f["number"] for f in g["fonts"][:half]) == sorted(f["number"] for f in g["fonts"][half:])
PY
else
  echo "no corpus: the real bundle is not checked"
fi

cli_finish "cli collection"
