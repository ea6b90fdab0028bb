#!/usr/bin/env bash
# make_seeds_tdf.sh DIR: writes a small seed corpus of generated font files
# (well-formed and malformed) for the tdf fuzzer.
set -euo pipefail
dir=${1:?usage: make_seeds_tdf.sh DIR}
mkdir -p "$dir"
python3 - "$dir" <<'PY'
import os, struct, sys

out = sys.argv[1]
SIG = bytes([19]) + b"TheDraw FONTS file" + bytes([0x1A])

def glyph_block(rows):
    return bytes([max(len(r) for r in rows), len(rows)]) + b"\r".join(rows) + b"\0"

def glyph_color(rows, attr):
    cells = b"\r".join(b"".join(bytes([c, attr]) for c in r) for r in rows)
    return bytes([max(len(r) for r in rows), len(rows)]) + cells + b"\0"

def font(name, ftype, glyphs, spacing=1, marker=b"\x55\xaa\x00\xff", namelen=None,
         blocksize=None, extra=b""):
    block, offsets = b"", [0xFFFF] * 94
    for ch, rec in sorted(glyphs.items()):
        offsets[ord(ch) - 33] = len(block)
        block += rec
    block += extra
    nl = len(name) if namelen is None else namelen
    h = marker + bytes([nl]) + name[:12].ljust(12, b"\0") + bytes(4) + bytes([ftype, spacing])
    h += struct.pack("<H", len(block) if blocksize is None else blocksize)
    h += struct.pack("<94H", *offsets)
    return h + block

block_glyphs = {c: glyph_block([c.encode() * 2, b"\xdb\xdb"]) for c in "ABCabc123!~"}
color_glyphs = {c: glyph_color([b"\xdc\xdc", c.encode() * 2], 0x1E) for c in "ABCxyz"}
shared = font(b"Shared", 1, {"A": glyph_block([b"S"])})
shared = shared[:25] + struct.pack("<H", 0) * 94 + shared[213:]  # every char on one glyph

def with_offsets(f, offsets):
    for ch, off in offsets.items():
        at = 25 + 2 * (ord(ch) - 33)
        f = f[:at] + struct.pack("<H", off) + f[at + 2:]
    return f

# 'B' starts inside 'A', its old record is left unread, 'C' runs to the end of the block.
overlaps = with_offsets(font(b"Overlaps", 1, {"A": glyph_block([b"abc"]), "B": glyph_block([b"old"])},
                             extra=b"zz\x02\x01q"), {"B": 3, "C": 14})

seeds = {
    "signature_only": SIG,
    "short_signature": SIG[:11],
    "lower_case_signature": bytes([19]) + b"thedraw fonts file" + bytes([0]),
    "one_block": SIG + font(b"Blocky", 1, block_glyphs),
    "one_color": SIG + font(b"Colorful", 2, color_glyphs, spacing=2),
    "outline": SIG + font(b"Outline", 0, block_glyphs, spacing=0),
    "three_fonts": SIG + font(b"One", 1, block_glyphs) + font(b"Two", 2, color_glyphs)
                   + font(b"Three", 0, {}),
    "bad_marker_then_font": SIG + font(b"Bad", 1, {}, marker=b"\x55\xaa\x01\xff")
                            + font(b"Good", 1, block_glyphs),
    "name_len_20": SIG + font(b"TwelveLetter", 1, block_glyphs, namelen=20),
    "trailing_metadata": SIG + font(b"Meta", 2, color_glyphs) + b"\x1aSAUCE00" + bytes(121),
    "header_cut_short": SIG + font(b"Whole", 1, block_glyphs) + font(b"Cut", 1, {})[:100],
    "block_size_past_end": SIG + font(b"Big", 1, block_glyphs, blocksize=65535),
    "unterminated_glyph": SIG + font(b"Open", 2, {"Q": bytes([2, 1, 0xDA, 1, ord("&"), 0])}),
    "shared_offsets": SIG + shared,
    "overlaps_and_junk": SIG + overlaps,
}
for name, data in seeds.items():
    with open(os.path.join(out, name + ".tdf"), "wb") as f:
        f.write(data)
PY
