#!/usr/bin/env bash
# brixel-cli render as a banner: width and wrapping, justification, lines
# from \n, several TEXTs and standard input, the case fallback and --strict,
# every output format against the JSON form, fonts by name and at random.
source "$(dirname "$0")/cli_lib.sh"
src=${BRIXEL_SOURCE_DIR:?BRIXEL_SOURCE_DIR must point at the source tree}
check="$src/tests/e2e/cli_render_check.py"
demo="$src/assets/demo.tdf"

# fonts/one.tdf: Alpha (Block; A B) and Twin (Block; A);
# fonts/sub/two.tdf: Twin (Color; A) and Lower (Block; a b).
mkdir -p "$work/fonts/sub"
python3 - "$work/fonts" <<'PY'
import struct, sys
def font(name, ftype, chars):
    block, offsets = b"", [0xFFFF] * 94
    for ch in chars:
        offsets[ord(ch) - 33] = len(block)
        cells = bytes([ord(ch), 0x1E] * 2) if ftype == 2 else ch.encode() * 2
        block += bytes([2, 2]) + cells + b"\r" + cells + b"\0"
    header = bytes([0x55, 0xAA, 0, 0xFF, len(name)]) + name.ljust(12, b"\0") + bytes(4)
    header += bytes([ftype, 1]) + struct.pack("<H", len(block)) + struct.pack("<94H", *offsets)
    return header + block
sig = bytes([19]) + b"TheDraw FONTS file\x1a"
open(sys.argv[1] + "/one.tdf", "wb").write(sig + font(b"Alpha", 1, "AB") + font(b"Twin", 1, "A"))
open(sys.argv[1] + "/sub/two.tdf", "wb").write(sig + font(b"Twin", 2, "A") + font(b"Lower", 1, "ab"))
PY

# py WHAT CODE-ON-STDIN ARGS...: a python check on files.
py() {
  local what=$1
  shift
  python3 - "$@" || fail "$what"
}

# Wrapping at the width: every row within it, the text on two lines of
# glyphs (8 rows each, a blank row between); without a terminal the width is 80.
run "$cli" render --font 1 --width 40 --format json "$demo" "HELLO WORLD"
expect_rc 0 "--width 40"
py "--width 40 wraps into two lines" "$work/out" <<'PY'
import json, sys
rows = json.load(open(sys.argv[1]))
assert len(rows) == 17 and 30 < len(rows[0]) <= 40, (len(rows), len(rows[0]))
assert all(cell == [0, 7] for cell in rows[8]), "no blank row between the lines"
PY
run "$cli" render --font 1 --format json "$demo" "HELLO WORLD, HELLO BANNERS"
py "the default width is 80 when stdout is no terminal" "$work/out" <<'PY'
import json, sys
rows = json.load(open(sys.argv[1]))
assert 70 < len(rows[0]) <= 80 and len(rows) > 8, (len(rows), len(rows[0]))
PY

# Justified in the width: right puts the last column at the edge, centre
# leaves as much room on the left as the right would have.
for justify in left center right; do
  run "$cli" render --font 1 --width 60 --justify $justify --format json "$demo" "Hi"
  expect_rc 0 "--justify $justify"
  cp "$work/out" "$work/$justify.json"
done
py "--justify places the banner" "$work/left.json" "$work/center.json" "$work/right.json" <<'PY'
import json, sys
left, center, right = (json.load(open(p)) for p in sys.argv[1:])
used = lambda rows: len(rows[0])
margin = lambda rows: min(next((x for x, c in enumerate(r) if c != [0, 7]), 99) for r in rows)
assert used(right) == 60 and margin(right) == 60 - used(left), (used(right), margin(right))
assert margin(left) == 0 and margin(center) == (60 - used(left)) // 2, margin(center)
PY

# Lines: "\n" in a TEXT, TEXTs one a line, and standard input line by line.
run "$cli" render --font 1 --format json "$demo" 'Hi\nyou'
cp "$work/out" "$work/lines.json"
run "$cli" render --font 1 --format json "$demo" Hi you
cmp -s "$work/out" "$work/lines.json" || fail "two TEXTs differ from a \\n in one"
printf 'Hi\nyou\n' >"$work/in.txt"
set +e
"$cli" render --font 1 --format json "$demo" - <"$work/in.txt" >"$work/out" 2>"$work/err"
set -e
cmp -s "$work/out" "$work/lines.json" || fail "standard input differs from a \\n in a TEXT"

# A letter the font lacks is drawn in its other case, unless asked not to;
# what cannot be drawn is named once, and --strict makes it an error.
run "$cli" render --format json "$work/fonts/sub/two.tdf:2" "ab"
cp "$work/out" "$work/lower.json"
run "$cli" render --format json "$work/fonts/sub/two.tdf:2" "AB"
expect_rc 0 "case fallback"
cmp -s "$work/out" "$work/lower.json" || fail "AB is not drawn with the glyphs of ab"
run "$cli" render --no-case-fallback --format json "$work/fonts/sub/two.tdf:2" "ABA"
expect_rc 0 "--no-case-fallback"
[ "$(grep -c "no glyph for" "$work/err")" = 2 ] || fail "missing A and B not named once: $(cat "$work/err")"
grep -q "no glyph for 'B' in font 2 (Lower)" "$work/err" || fail "the note lacks the font"
run "$cli" render --strict --format json "$work/fonts/sub/two.tdf:2" "ab?"
expect_rc 1 "--strict with a missing glyph"
grep -q "no glyph for '?'" "$work/err" || fail "--strict: no message"

# Every format shows the cells of the JSON form.
run "$cli" render --font 2 --palette vga --format json "$demo" 'Brix<&>\nel'
cp "$work/out" "$work/banner.json"
for form in utf8 ansi truecolor mirc html; do
  run "$cli" render --font 2 --palette vga --format $form "$demo" 'Brix<&>\nel'
  expect_rc 0 "--format $form"
  python3 "$check" banner "$work/banner.json" $form "$work/out" || fail "--format $form differs from json"
done
run "$cli" render --font 2 --json "$demo" 'Brix<&>\nel'
cmp -s "$work/out" "$work/banner.json" || fail "--json is not --format json"
run "$cli" render --font 2 --format png "$demo" 'Brix<&>\nel'
expect_rc 0 "--format png to standard output"
py "the PNG picture is 8x16 pixels a cell" "$work/banner.json" "$work/out" <<'PY'
import json, struct, sys
rows = json.load(open(sys.argv[1]))
head = open(sys.argv[2], "rb").read(24)
assert head[:8] == b"\x89PNG\r\n\x1a\n"
assert struct.unpack(">II", head[16:24]) == (8 * len(rows[0]), 16 * len(rows))
PY

# Fonts by name under the folders, in any case; an ambiguous name lists its fonts.
run "$cli" render --font-dir "$work/fonts" --font alpha --format json AB
expect_rc 0 "--font NAME"
cp "$work/out" "$work/alpha.json"
run "$cli" render --format json "$work/fonts/one.tdf:1" AB
cmp -s "$work/out" "$work/alpha.json" || fail "--font alpha is not one.tdf:1"
run "$cli" render --font-dir "$work/fonts/sub" --font-dir "$work/fonts" --font " LOWER " --format json ab
cmp -s "$work/out" "$work/lower.json" || fail "--font ' LOWER ' with two --font-dir"
run "$cli" render --font-dir "$work/fonts" --font twin A
expect_rc 1 "an ambiguous name"
grep -q "2 fonts are named 'twin'" "$work/err" || fail "ambiguous: $(cat "$work/err")"
grep -q "one.tdf:2" "$work/err" && grep -q "two.tdf:1" "$work/err" || fail "candidates not listed"
run "$cli" render --font-dir "$work/fonts" --font nosuch A
expect_rc 1 "an unknown name"

# At random among the fonts that can draw the text, the same for a seed.
run "$cli" render --random --seed 7 --font-dir "$work/fonts" --format json ab
expect_rc 0 "--random"
cp "$work/out" "$work/random.json"
run "$cli" render --random --seed 7 --font-dir "$work/fonts" --format json ab
cmp -s "$work/out" "$work/random.json" || fail "--seed 7 chose differently"
run "$cli" render --random --seed 1 --no-case-fallback --font-dir "$work/fonts" b
grep -q "drawn with .*two.tdf:2  Lower" "$work/err" || fail "--random chose a font without b: $(cat "$work/err")"
run "$cli" render --random --font-dir "$work/fonts" "Z"
expect_rc 1 "--random with no font for the text"

cli_finish "cli banner"
