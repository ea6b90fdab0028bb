#!/usr/bin/env bash
# The committed files in assets/ are exactly what the generators make: runs
# tools/make_assets.py and the built make_demo_font into a temp dir and
# compares. Glyph sheets may differ in compressed bytes under another zlib, so
# PNGs that differ are compared by their decoded pixels instead.
set -euo pipefail
src=${BRIXEL_SOURCE_DIR:?}
bin=${BRIXEL_BINARY_DIR:?}
python=/usr/bin/python3

if [ ! -f /usr/share/fonts/pc/Px_IBM_VGA8.ttf ] || ! "$python" -c 'import fontTools' 2>/dev/null; then
  echo "SKIP: fonts-pc or python3-fonttools not installed"
  exit 77  # CTest's skip code for e2e tests
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$python" "$src/tools/make_assets.py" --out "$work" --glyphs "$work/demo_glyphs.txt"
tool="$bin/tools/make_demo_font"
[ -x "$tool" ] || { echo "FAIL: $tool not built"; exit 1; }
"$tool" "$work/demo_glyphs.txt" "$work/demo.tdf"

# Running the generator twice gives the same bytes.
mkdir "$work/again"
"$python" "$src/tools/make_assets.py" --out "$work/again" --glyphs "$work/again/demo_glyphs.txt"
for f in 80x25.png 80x50.png 132x50.png click.wav bell.wav tdf.ico brixel.png demo_glyphs.txt; do
  cmp "$work/$f" "$work/again/$f" || { echo "FAIL: $f differs between two runs"; exit 1; }
done

"$python" - "$src" "$work" <<'EOF'
import os, struct, sys, zlib

src, work = sys.argv[1], sys.argv[2]
files = {name: os.path.join(src, "assets", name)
         for name in ("80x25.png", "80x50.png", "132x50.png", "click.wav", "bell.wav",
                      "tdf.ico", "brixel.png", "demo.tdf")}
files["demo_glyphs.txt"] = os.path.join(src, "tools", "demo_glyphs.txt")

def png_content(data):
    """IHDR fields and the inflated image data of a PNG."""
    pos, header, idat = 8, None, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = body
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    return header, zlib.decompress(idat)

failed = False
for name, committed in sorted(files.items()):
    made = open(os.path.join(work, name), "rb").read()
    have = open(committed, "rb").read()
    if made == have:
        continue
    if name.endswith(".png") and png_content(made) == png_content(have):
        print(f"note: {name} has the same pixels, compressed differently")
        continue
    print(f"FAIL: {committed} is not what the generator makes; run tools/make_assets.sh")
    failed = True
sys.exit(1 if failed else 0)
EOF
echo "PASS: assets match their generators"
