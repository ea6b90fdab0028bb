#!/usr/bin/env bash
# brixel-cli render --screen --png and ansi --png with no display at all: the pictures
# have the promised sizes and their cells are, pixel for pixel, the cells the
# same commands print as JSON (read back by the screenshot decoder).
source "$(dirname "$0")/cli_lib.sh"
src=${BRIXEL_SOURCE_DIR:?run through ctest}
bin=${BRIXEL_BINARY_DIR:?run through ctest}
decode="$bin/tests/screen_decode"
unset DISPLAY WAYLAND_DISPLAY

# png_size FILE: "WIDTHxHEIGHT" from the PNG header.
png_size() {
  python3 -c 'import struct, sys; d = open(sys.argv[1], "rb").read(24); print("%dx%d" % struct.unpack(">II", d[16:24]))' "$1"
}

run "$cli" render --screen --png "$work/hi.png" "$src/assets/demo.tdf" Hi
expect_rc 0 "render --png"
run "$cli" render --screen --json "$src/assets/demo.tdf" Hi
cp "$work/out" "$work/hi.json"
[ "$(png_size "$work/hi.png")" = 640x400 ] || fail "render --png is $(png_size "$work/hi.png")"
run "$decode" "$bin/80x25.png" "$work/hi.png" "$work/hi.json"
expect_rc 0 "render --png against render --json: $(head -c 300 "$work/out")"
grep -q "^cursor" "$work/out" && fail "render --png shows a cursor"

art="$src/assets/demo.ans"
run "$cli" ansi --png "$work/art.png" "$art"
expect_rc 0 "ansi --png"
run "$cli" ansi --json "$art"
python3 - "$work/out" "$work/top.json" <<'PY' || fail "the art is not taller than a screen"
import json, sys
rows = json.load(open(sys.argv[1]))
assert len(rows) > 25
json.dump(rows[:25], open(sys.argv[2], "w"))
open(sys.argv[2] + ".rows", "w").write(str(len(rows)))
PY
want="640x$((16 * $(cat "$work/top.json.rows")))"
[ "$(png_size "$work/art.png")" = "$want" ] || fail "ansi --png is $(png_size "$work/art.png"), not $want"
run "$decode" "$bin/80x25.png" "$work/art.png" "$work/top.json"
expect_rc 0 "ansi --png against ansi --json: $(head -c 300 "$work/out")"

cp "$art" "$work/self.ans"
run "$cli" ansi --png "$work/self.ans" "$work/self.ans"
expect_rc 1 "ansi --png onto its input"
cmp -s "$work/self.ans" "$art" || fail "ansi --png overwrote its input"

cli_finish "cli png"
