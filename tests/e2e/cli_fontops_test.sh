#!/usr/bin/env bash
# brixel-cli create, rename, spacing, type, extract, merge, delete-font,
# clone-font, move-font, export and import: the bytes on disk, the refusals
# (a FIGlet font is read only), and (when the
# corpus is there) every real font taken out into a file of its own and
# merged back with names and glyphs intact. (Every real font deleted, cloned
# and moved is checked byte for byte in tests/tdf/FontOpsTest.cpp.)
source "$(dirname "$0")/cli_lib.sh"
src=${BRIXEL_SOURCE_DIR:?BRIXEL_SOURCE_DIR must point at the source tree}
demo="$src/assets/demo.tdf"

ok() { run "$cli" "$@"; expect_rc 0 "$*"; }
refused() { # pattern ARGS...
  local pattern=$1
  shift
  run "$cli" "$@"
  expect_rc 1 "$*"
  grep -q -- "$pattern" "$work/err" || fail "$*: stderr lacks '$pattern': $(cat "$work/err")"
}
# field FILE FONT KEY: a value of `list --json`.
field() {
  "$cli" list --json "$1" | python3 -c "import json,sys; print(json.load(sys.stdin)['fonts'][$2 - 1]['$3'])"
}

ok create "$work/new.tdf" Abcd color
[ "$(stat -c %s "$work/new.tdf")" = 233 ] || fail "create: not 233 bytes"
[ "$(field "$work/new.tdf" 1 name)" = "Abcd        " ] || fail "create: name not padded with spaces"
[ "$(field "$work/new.tdf" 1 type)" = Color ] || fail "create: type"
ok create "$work/o.tdf" Name outline
[ "$(field "$work/o.tdf" 1 type)" = Outline ] || fail "create: an Outline font"
refused "TYPE must be outline, block or color" create "$work/p.tdf" Name 3
[ ! -e "$work/p.tdf" ] || fail "a refused create left a file"
refused "$work/o.tdf exists; --force replaces it" create "$work/o.tdf" Name block
[ "$(field "$work/o.tdf" 1 type)" = Outline ] || fail "create replaced a file without --force"
ok create --force "$work/o.tdf" Name block

cp "$demo" "$work/d.tdf"
ok rename --font 1 "$work/d.tdf" "Fifteen chars!!"
grep -q "warning: NAME is longer than 12 characters; stored as 'Fifteen char'" "$work/err" ||
  fail "rename: no warning for a long name: $(cat "$work/err")"
ok spacing "$work/d.tdf" 255
ok type --font 2 -- "$work/d.tdf" block
[ "$(field "$work/d.tdf" 1 name)" = "Fifteen char" ] || fail "rename: not cut to 12"
[ "$(field "$work/d.tdf" 2 spacing)" = 255 ] || fail "spacing 255"
[ "$(field "$work/d.tdf" 2 type)" = Block ] || fail "type"
python3 - "$demo" "$work/d.tdf" <<'PY' || fail "header edits touched more than the headers"
import sys
a, b = open(sys.argv[1], "rb").read(), open(sys.argv[2], "rb").read()
assert len(a) == len(b)
second = 20 + 213 + int.from_bytes(a[20 + 23:20 + 25], "little")
diff = [i for i in range(len(a)) if a[i] != b[i]]
allowed = set(range(20 + 4, 20 + 17)) | {second + 21, second + 22}
assert set(diff) <= allowed, [i for i in diff if i not in allowed]
PY
# Numbers: one reader, naming the argument and its range.
refused "--font takes a number from 1 to 2, not '3'" rename --font 3 "$work/d.tdf" X
refused "S takes a number from 0 to 255, not 'abc'" spacing "$work/d.tdf" abc
refused "S takes a number from 0 to 255, not '300'" spacing "$work/d.tdf" 300
refused "S takes a number from 0 to 255, not '-1'" spacing -- "$work/d.tdf" -1
refused "X1 takes a number from 1 to 80, not '0x1'" capture "$work/d.tdf" "$work/d.tdf" 0x1 1 2 2 A
refused "T must be outline, block or color" type "$work/d.tdf" purple
refused "missing NAME" rename "$work/d.tdf"
refused "it is the input" extract "$work/d.tdf" "$work/d.tdf"
refused "no such file" rename "$work/missing.tdf" X

ok extract --font 1 "$work/d.tdf" "$work/one.tdf"
refused "one.tdf exists; --force replaces it" extract --font 2 "$work/d.tdf" "$work/one.tdf"
ok merge "$work/one.tdf" "$work/d.tdf"
[ "$(cat "$work/out")" = "2 fonts added to $work/one.tdf" ] || fail "merge: says '$(cat "$work/out")'"
[ "$("$cli" list --json "$work/one.tdf" | python3 -c 'import json,sys; print(len(json.load(sys.stdin)["fonts"]))')" = 3 ] ||
  fail "extract + merge: not three fonts"
ok merge "$work/one.tdf" "$work/one.tdf"
[ "$("$cli" list --json "$work/one.tdf" | python3 -c 'import json,sys; print(len(json.load(sys.stdin)["fonts"]))')" = 6 ] ||
  fail "merge into itself: not six fonts"

printf '\033[1;31mart, not fonts\r\n' >"$work/logo.ans"
refused "cannot merge $work/logo.ans into $work/one.tdf: no fonts to merge" merge "$work/one.tdf" "$work/logo.ans"

# Fonts inside a file: the names in order after each command.
names() { "$cli" list --json "$1" | python3 -c "import json,sys; print(','.join(f['name'].strip() for f in json.load(sys.stdin)['fonts']))"; }
cp "$demo" "$work/f.tdf"
ok clone-font --font 1 "$work/f.tdf" Copy
[ "$(names "$work/f.tdf")" = "Brixel Block,Copy,Brixel Color" ] || fail "clone-font: $(names "$work/f.tdf")"
ok move-font --font 3 "$work/f.tdf" up
[ "$(names "$work/f.tdf")" = "Brixel Block,Brixel Color,Copy" ] || fail "move-font up: $(names "$work/f.tdf")"
ok move-font --font 1 "$work/f.tdf" DOWN
[ "$(names "$work/f.tdf")" = "Brixel Color,Brixel Block,Copy" ] || fail "move-font down: $(names "$work/f.tdf")"
ok delete-font --font 3 "$work/f.tdf"
ok move-font --font 2 "$work/f.tdf" up
cmp -s "$demo" "$work/f.tdf" || fail "clone, moves and delete did not give the file back"
refused "cannot move font 1 of $work/f.tdf up: it is the first font of the file" move-font --font 1 "$work/f.tdf" up
refused "cannot move font 2 of $work/f.tdf down: it is the last font of the file" move-font "$work/f.tdf" down
refused "the way to move must be up or down, not 'left'" move-font "$work/f.tdf" left
refused "--font takes a number from 1 to 2, not '3'" delete-font --font 3 "$work/f.tdf"
refused "missing NAME" clone-font "$work/f.tdf"
ok delete-font "$work/f.tdf"
refused "cannot delete font 1 of $work/f.tdf: it is the only font of the file" delete-font "$work/f.tdf"
[ "$(names "$work/f.tdf")" = "Brixel Block" ] || fail "delete-font: $(names "$work/f.tdf")"

# FIGlet fonts: exported, read only, and imported back to draw as before.
ok export --format flf --all "$demo" "$work/fig"
[ "$(ls "$work/fig" | paste -sd,)" = "Brixel Block.flf,Brixel Color.flf" ] || fail "export --all: $(ls "$work/fig")"
refused "Brixel Block.flf exists; --force replaces it" export --format flf --all "$demo" "$work/fig"
cp "$work/fig/Brixel Color.flf" "$work/c.flf"
refused "cannot write $work/c.flf: it is a FIGlet font (read only)" rename "$work/c.flf" X
refused "it is a FIGlet font (read only)" capture "$work/c.flf" "$src/assets/demo.ans" 1 1 2 2 A
cmp -s "$work/c.flf" "$work/fig/Brixel Color.flf" || fail "a refused rename changed the FIGlet font"
ok import --type color --name Again "$work/c.flf" "$work/f.tdf"
ok merge "$work/f.tdf" "$work/c.flf"
ok extract "$work/c.flf" "$work/e.tdf"
[ "$(names "$work/f.tdf"),$(names "$work/e.tdf")" = "Brixel Block,Again,c,c" ] ||
  fail "import, merge and extract: $(names "$work/f.tdf"),$(names "$work/e.tdf")"
for font in "$demo:2" "$work/c.flf" "$work/f.tdf:2" "$work/f.tdf:3" "$work/e.tdf"; do
  "$cli" render --format text --width 0 "$font" 'Brixel,the-bridge!' >"$work/$(basename "$font").txt"
done
for drawn in c.flf f.tdf:2 f.tdf:3 e.tdf; do
  cmp -s "$work/demo.tdf:2.txt" "$work/$drawn.txt" || fail "$drawn draws other than the font exported"
done
printf 'flc2a\n' >"$work/x.flc"
refused "a FIGlet control file (.flc), not a font" import "$work/x.flc" "$work/f.tdf"

# The corpus: merged from and into a file that ends in a SAUCE record.
corpus=$src/../shared/corpus/tdf
if [ -d "$corpus" ]; then
  ok create "$work/a.tdf" Seed block
  ok merge "$work/a.tdf" "$corpus/guardf2.tdf"
  ok merge "$work/a.tdf" "$corpus/1911.tdf"
  [ "$(field "$work/a.tdf" 3 name)" = 1911 ] || fail "a font merged after a trailer is hidden"
  install -m 644 "$corpus/guardf2.tdf" "$work/g.tdf"
  "$cli" sauce --json "$work/g.tdf" >"$work/sauce.before"
  ok merge "$work/g.tdf" "$corpus/1911.tdf"
  [ "$(field "$work/g.tdf" 2 name)" = 1911 ] || fail "a font merged before a trailer is hidden"
  "$cli" sauce --json "$work/g.tdf" | cmp -s - "$work/sauce.before" || fail "the SAUCE record changed"
fi

# The corpus: every font of every file out and back into one file.
if [ -d "$corpus" ]; then
  mkdir "$work/parts"
  python3 - "$cli" "$corpus" "$work/parts" "$work/all.tdf" <<'PY' || fail "corpus round trip"
import json, os, subprocess, sys
cli, corpus, parts, merged = sys.argv[1:]
def fonts(path):
    listing = subprocess.run([cli, "list", "--json", path], capture_output=True, check=True)
    return json.loads(listing.stdout)["fonts"]
def block(path, font):
    data = open(path, "rb").read()
    start = font["offset"]
    return data[start + 4:start + 17], data[start + 213:start + 213 + font["block_size"]]
subprocess.run([cli, "create", merged, "seed", "block"], check=True)
want = []
for name in sorted(os.listdir(corpus)):
    path = os.path.join(corpus, name)
    for font in fonts(path):
        if font["glyphs"] is None:
            continue  # no valid header to extract
        out = os.path.join(parts, f"{name}.{font['number']}.tdf")
        subprocess.run([cli, "extract", "--font", str(font["number"]), path, out], check=True)
        subprocess.run([cli, "merge", merged, out], check=True, capture_output=True)
        want.append(block(path, font))
data = open(merged, "rb").read()
got = []
# Walk the merged file header by header (the listing stops at 255 fonts).
pos = 233
while pos + 213 <= len(data):
    size = int.from_bytes(data[pos + 23:pos + 25], "little")
    got.append((data[pos + 4:pos + 17], data[pos + 213:pos + 213 + size]))
    pos += 213 + size
assert len(got) == len(want), (len(got), len(want))
bad = [i for i, (g, w) in enumerate(zip(got, want)) if g[0] != w[0] or g[1] != w[1][:len(g[1])] or len(g[1]) > len(w[1])]
assert not bad, bad[:5]
print(f"corpus: {len(want)} fonts extracted and merged back")
PY
else
  echo "no corpus: round trip skipped"
fi

cli_finish "cli font operations"
