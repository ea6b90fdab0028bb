#!/usr/bin/env bash
# brixel-cli render --screen, the window's 80x25 picture: the JSON screen,
# the terminal form and the .ans file show the same cells; options move,
# colour and pick the font; bad input fails cleanly. Needs BRIXEL_CLI and BRIXEL_SOURCE_DIR (set by CTest) and python3.
source "$(dirname "$0")/cli_lib.sh"
src=${BRIXEL_SOURCE_DIR:?BRIXEL_SOURCE_DIR must point at the source tree}
check="$src/tests/e2e/cli_render_check.py"
demo="$src/assets/demo.tdf"

# expect_error what pattern ARGS...: exit code 1, the pattern on stderr, nothing on stdout.
expect_error() {
  local what=$1 pattern=$2
  shift 2
  run "$cli" render --screen "$@"
  expect_rc 1 "$what"
  grep -q -- "$pattern" "$work/err" || fail "$what: stderr lacks '$pattern': $(head -c 400 "$work/err")"
  [ ! -s "$work/out" ] || fail "$what: output on stdout"
}

# py CODE ARGS...: a python check on files; fails with the check's name.
py() {
  local what=$1
  shift
  python3 - "$@" || fail "$what"
}

# The default font is the last one (demo: 2, Color) at (1, 1).
run "$cli" render --screen "$demo" --json adf1
expect_rc 0 "json, default font"
cp "$work/out" "$work/default.json"
python3 "$check" json "$work/default.json" || fail "json form is not 25 rows of 80 pairs"

run "$cli" render --screen "$demo" --font 2 --x 1 --y 1 --json adf1
expect_rc 0 "json, font 2 at (1, 1)"
cmp -s "$work/out" "$work/default.json" || fail "defaults are not font 2 at (1, 1)"

py "default json: drawn from (1, 1), in the font's own colours" "$work/default.json" <<'PY'
import json, sys
rows = json.load(open(sys.argv[1]))
assert rows[0][0] != [0, 7], rows[0][0]
attrs = {a for row in rows for c, a in row if [c, a] != [0, 7]}
assert len(attrs) > 1, attrs  # a Color font brings several attributes
PY

# The terminal form shows exactly the used rows of the JSON form.
run "$cli" render --screen "$demo" adf1
expect_rc 0 "terminal form"
cp "$work/out" "$work/default.txt"
python3 "$check" terminal "$work/default.json" "$work/default.txt" || fail "terminal form differs from json"

# --ans writes code page 437 with escapes to the file and nothing to stdout.
run "$cli" render --screen "$demo" --ans "$work/sample.ans" adf1
expect_rc 0 "--ans"
[ -s "$work/sample.ans" ] || fail "--ans wrote no file"
[ ! -s "$work/out" ] || fail "--ans printed to stdout"
python3 "$check" ans "$work/default.json" "$work/sample.ans" || fail ".ans file differs from json"

# Block font 1 in colour 12 at (5, 3): every drawn cell in light red on black,
# nothing above row 3 or left of column 5.
run "$cli" render --screen "$demo" --font 1 --color 12 --x 5 --y 3 --json "Hi!"
expect_rc 0 "block font with options"
cp "$work/out" "$work/block.json"
py "block font: colour and position" "$work/block.json" <<'PY'
import json, sys
rows = json.load(open(sys.argv[1]))
drawn = [(y, x, c, a) for y, row in enumerate(rows, 1) for x, (c, a) in enumerate(row, 1)
         if [c, a] != [0, 7]]
assert drawn, "nothing drawn"
assert {a for _, _, _, a in drawn} == {12}, {a for _, _, _, a in drawn}
assert min(y for y, *_ in drawn) == 3, min(y for y, *_ in drawn)
assert min(x for _, x, *_ in drawn) == 5, min(x for _, x, *_ in drawn)
PY
run "$cli" render --screen "$demo" --font 1 --color 12 --x 5 --y 3 "Hi!"
expect_rc 0 "block font, terminal form"
python3 "$check" terminal "$work/block.json" "$work/out" || fail "block terminal form differs from json"
run "$cli" render --screen "$demo" --font 1 --color 12 --x 5 --y 3 --ans "$work/block.ans" "Hi!"
expect_rc 0 "block font, --ans"
python3 "$check" ans "$work/block.json" "$work/block.ans" || fail "block .ans file differs from json"

# Text from the terminal is UTF-8: a character without a glyph draws nothing
# and takes one column plus the spacing, like in the window.
run "$cli" render --screen "$demo" --font 1 --json "é"
expect_rc 0 "non-ASCII text"
py "a character without a glyph draws nothing" "$work/out" <<'PY'
import json, sys
rows = json.load(open(sys.argv[1]))
assert all(cell == [0, 7] for row in rows for cell in row)
PY
run "$cli" render --screen "$demo" ""
expect_rc 0 "empty text"
[ ! -s "$work/out" ] || fail "empty text printed rows"

# Bad input.
expect_error "missing file" "no such file" "$work/missing.tdf" adf1
expect_error "directory" "is a directory" "$work" adf1
printf 'hello, not a font\n' >"$work/plain.txt"
expect_error "not a font file" "holds no fonts" "$work/plain.txt" adf1
expect_error "font 0" "--font takes a number" "$demo" --font 0 adf1
expect_error "font not a number" "--font takes a number" "$demo" --font abc adf1
expect_error "font with trailing text" "--font takes a number" "$demo" --font 1x adf1
expect_error "font past the last" "font 3 does not exist" "$demo" --font 3 adf1
expect_error "font without value" "--font needs a value" "$demo" adf1 --font
expect_error "colour out of range" "--color takes a number" "$demo" --color 16 adf1
expect_error "x out of range" "--x takes a number" "$demo" --x 256 adf1
expect_error "y below the screen" "--y takes a number from 1 to 25, not '26'" "$demo" --y 26 adf1
expect_error "x left of the screen" "--x takes a number from 1 to 79, not '0'" "$demo" --x 0 adf1
expect_error "unknown option" "unknown option --bogus" "$demo" --bogus adf1
expect_error "missing TEXT" "missing TEXT" "$demo"
expect_error "missing FILE and TEXT" "missing FILE"
expect_error "two texts" "unexpected argument 'two'" "$demo" one two
expect_error "empty --ans" "--ans needs a value" "$demo" --ans "" adf1
expect_error "--json with --ans" "exclude each other" "$demo" --json --ans "$work/x.ans" adf1
expect_error "unwritable --ans" "cannot write" "$demo" --ans "$work/no/such/dir/x.ans" adf1

# Help after the command, and options ended by "--" so a text may start with "-".
run "$cli" render --screen "$demo" --help
expect_rc 0 "render --help"
grep -q "usage: brixel-cli render" "$work/out" || fail "render --help prints no usage"
run "$cli" render --screen --font 1 --json -- "$demo" "--x"
expect_rc 0 "text after --"
python3 - "$work/out" <<'PY' || fail "a text that starts with -- is drawn"
import json, sys
assert any(cell != [0, 7] for row in json.load(open(sys.argv[1])) for cell in row)
PY

# Outline fonts draw in the style asked for; a font of unknown type is an
# error, not an empty picture.
python3 - "$demo" "$work/outline.tdf" "$work/unknown.tdf" <<'PY'
import struct, sys
data = bytearray(open(sys.argv[1], "rb").read())
data[20 + 21] = 7  # the first font's type byte: unknown
open(sys.argv[3], "wb").write(data)
# An Outline font whose "a" is a small frame of role letters.
glyph = bytes([4, 2]) + b"EAAF\rKBBL\0"
offsets = [0xFFFF] * 94
offsets[ord("a") - 33] = 0
header = bytes([0x55, 0xAA, 0, 0xFF, 4]) + b"Line".ljust(12, b"\0") + bytes(4) + bytes([0, 1])
header += struct.pack("<H", len(glyph)) + struct.pack("<94H", *offsets)
open(sys.argv[2], "wb").write(bytes([19]) + b"TheDraw FONTS file\x1a" + header + glyph)
PY
run "$cli" render --screen --font 1 --json "$work/outline.tdf" adf1
expect_rc 0 "outline font"
cp "$work/out" "$work/style0.json"
run "$cli" render --screen --font 1 --json --outline-style 18 "$work/outline.tdf" adf1
expect_rc 0 "outline font in style 18"
cmp -s "$work/out" "$work/style0.json" && fail "outline styles 0 and 18 drew the same"
expect_error "outline style 19" "--outline-style takes a number from 0 to 18" "$work/outline.tdf" --outline-style 19 adf1
expect_error "unknown font type" "cannot be drawn: it is of unknown type 7" "$work/unknown.tdf" --font 1 adf1

# Output that cannot be written fails; an output that is the input is refused
# (also through a link), and the font file keeps every byte.
for form in "" "--json"; do
  set +e
  "$cli" render --screen $form "$demo" AB >/dev/full 2>"$work/err"
  rc=$?
  set -e
  expect_rc 1 "render $form to a full disk"
  grep -q "cannot write" "$work/err" || fail "render $form to a full disk: no message"
done
cp "$demo" "$work/v.tdf"
ln -s "$work/v.tdf" "$work/link.ans"
for out in "$work/v.tdf" "$work/link.ans" "$work/./v.tdf"; do
  expect_error "--ans $out over the input" "it is the input" "$work/v.tdf" --ans "$out" Hi
  cmp -s "$demo" "$work/v.tdf" || fail "--ans $out changed the font file"
done
mkfifo "$work/pipe.ans"
expect_error "--ans into a FIFO" "not a regular file" "$demo" --ans "$work/pipe.ans" Hi
[ -z "$(find "$work" -name '.*.ans.*')" ] || fail "a temporary file was left behind"

cli_finish "cli render"
