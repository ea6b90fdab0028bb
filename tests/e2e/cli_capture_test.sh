#!/usr/bin/env bash
# brixel-cli capture: a block of the demo art becomes a glyph with exactly the
# cells brixel-cli ansi shows there; refusals say why and write nothing.
source "$(dirname "$0")/cli_lib.sh"
src=${BRIXEL_SOURCE_DIR:?BRIXEL_SOURCE_DIR must point at the source tree}
art="$src/assets/demo.ans"

run "$cli" ansi --json "$art"
expect_rc 0 "ansi --json"
cp "$work/out" "$work/art.json"
for type in color block; do
  run "$cli" create "$work/$type.tdf" Cap "$type"
  expect_rc 0 "create $type"
  run "$cli" capture -- "$work/$type.tdf" "$art" 12 6 3 4 A  # corners in any order
  expect_rc 0 "capture into $type"
  python3 - "$work/art.json" "$work/$type.tdf" "$type" <<'PY' || fail "capture into $type: wrong bytes"
import json, sys
rows = json.load(open(sys.argv[1]))
data = open(sys.argv[2], "rb").read()
color = sys.argv[3] == "color"
record = bytearray([10, 3])
for y in range(4, 7):
    for x in range(3, 13):
        ch, attr = rows[y - 1][x - 1]
        record.append(32 if ch in (0, 13) else ch)
        if color:
            record.append(attr)
    record.append(13 if y < 6 else 0)
assert data[233:] == record, (data[233:], record)
assert int.from_bytes(data[20 + 23:20 + 25], "little") == len(record)
assert int.from_bytes(data[20 + 25 + 2 * (ord("A") - 33):20 + 27 + 2 * (ord("A") - 33)], "little") == 0
PY
done

cp "$work/color.tdf" "$work/before.tdf"
run "$cli" capture "$work/color.tdf" "$art" 3 4 12 6 A  # saved again: the record is replaced
expect_rc 0 "capture A again"
cmp -s "$work/color.tdf" "$work/before.tdf" || fail "saving A again changed the file"
refused() { # pattern ARGS...
  local pattern=$1
  shift
  run "$cli" capture "$@"
  expect_rc 1 "capture $*"
  grep -q -- "$pattern" "$work/err" || fail "capture $*: stderr lacks '$pattern': $(cat "$work/err")"
}
refused "CHAR must be one character" "$work/color.tdf" "$art" 1 1 2 2 AB
refused "CHAR must be one character" "$work/color.tdf" "$art" 1 1 2 2 " "
refused "X2 takes a number from 1 to 80" "$work/color.tdf" "$art" 1 1 81 2 B
refused "at most 255 columns and 255 rows" "$work/color.tdf" "$art" 1 1 4 256 "#"
refused "no such file" "$work/color.tdf" "$work/missing.ans" 1 1 2 2 B
# Other formats: a 2x2 XBin's cells, and one that is no XBin refused.
printf 'XBIN\x1a\x02\x00\x02\x00\x10\x00\xdb\x1c\x41\x9f\xdb\x0e\x42\x8f' >"$work/tiny.xb"
run "$cli" capture "$work/color.tdf" "$work/tiny.xb" 1 1 2 2 C
expect_rc 0 "capture from an XBin"
python3 - "$work/color.tdf" <<'PY' || fail "capture from an XBin: wrong bytes"
import sys
data = open(sys.argv[1], "rb").read()
assert bytes([2, 2, 0xDB, 0x1C, 0x41, 0x9F, 13, 0xDB, 0x0E, 0x42, 0x8F, 0]) in data, data[233:]
PY
cp "$work/color.tdf" "$work/before.tdf"
printf 'XBIX\x1a\x02\x00\x02\x00\x10\x00' >"$work/bad.xb"
refused "not an XBin file" "$work/color.tdf" "$work/bad.xb" 1 1 2 2 D
python3 - "$work/color.tdf" "$work/outline.tdf" <<'PY'
import sys
data = bytearray(open(sys.argv[1], "rb").read())
data[20 + 21] = 0
open(sys.argv[2], "wb").write(data)
PY
refused "Outline fonts hold no pictures" "$work/outline.tdf" "$art" 1 1 2 2 B
cmp -s "$work/color.tdf" "$work/before.tdf" || fail "a refused capture changed the font file"
cli_finish "cli capture"
