#!/usr/bin/env bash
# brixel-cli list: listings as text and JSON, and clean failures for bad input.
# Needs BRIXEL_CLI (set by CTest) and python3 to build font files and read JSON.
source "$(dirname "$0")/cli_lib.sh"

# A font file with two fonts: "Blocky" (Block, spacing 1, glyphs A and B) and
# a Color font whose 12-byte name holds a quote, a backslash and code-page
# bytes (full block, box corner), glyph "!" only.
python3 - "$work/two.tdf" <<'PY'
import struct, sys

def font(name, ftype, spacing, glyphs):
    block, offsets = b"", [0xFFFF] * 94
    for ch, rec in sorted(glyphs.items()):
        offsets[ord(ch) - 33] = len(block)
        block += rec
    header = bytes([0x55, 0xAA, 0x00, 0xFF, len(name)]) + name.ljust(12, b"\0")
    header += bytes(4) + bytes([ftype, spacing]) + struct.pack("<H", len(block))
    header += struct.pack("<94H", *offsets)
    assert len(header) == 213
    return header + block

sig = bytes([19]) + b"TheDraw FONTS file" + bytes([0x1A])
a = bytes([2, 1]) + b"AA" + bytes([0])
b = bytes([1, 1]) + b"B" + bytes([0])
bang = bytes([1, 1, ord("!"), 0x1E, 0])
data = sig + font(b"Blocky", 1, 1, {"A": a, "B": b})
data += font(b'Q"\\\xdb\xc9z', 2, 3, {"!": bang})
data += b"\x00"  # a stray byte after the last font, as some real files have
open(sys.argv[1], "wb").write(data)
PY

# Help and usage errors.
run "$cli" --help
expect_rc 0 "--help"
grep -q "usage: brixel-cli" "$work/out" || fail "--help prints no usage"
grep -q "list \[--json\] FILE" "$work/out" || fail "--help does not mention list"

run "$cli"
expect_rc 1 "no arguments"
[ -s "$work/err" ] || fail "no arguments: nothing on stderr"

run "$cli" frobnicate
expect_rc 1 "unknown command"
grep -q "unknown command 'frobnicate'" "$work/err" || fail "unknown command not named"

run "$cli" list
expect_rc 1 "list without a file"
grep -q "missing FILE" "$work/err" || fail "missing argument not explained"

run "$cli" list "$work/missing.tdf"
expect_rc 1 "missing file"
grep -q "no such file" "$work/err" || fail "missing file not explained"
[ ! -s "$work/out" ] || fail "missing file: output on stdout"

# Paths that are no font file say why, and nothing ever waits on one.
mkfifo "$work/fifo.tdf"
ln -s "$work/loop.tdf" "$work/loop.tdf"
while read -r what path reason; do
  run timeout 20 "$cli" list "$path"
  expect_rc 1 "$what"
  grep -q "$reason" "$work/err" || fail "$what: stderr lacks '$reason': $(cat "$work/err")"
done <<EOF2
directory $work is a directory
fifo $work/fifo.tdf not a regular file
symlink-loop $work/loop.tdf too many levels of symbolic links
long-name $work/$(printf 'n%.0s' {1..300}).tdf file name too long
EOF2
set +e
printf abc | timeout 20 "$cli" list /dev/stdin >"$work/out" 2>"$work/err"
rc=$?
set -e
expect_rc 1 "a pipe as /dev/stdin"
grep -q "not a regular file" "$work/err" || fail "pipe: not explained"

# Arguments: help after the command, an extra argument named, "--" before a
# name that starts with "-", output that cannot be written.
run "$cli" list "$work/two.tdf" --help
expect_rc 0 "list FILE --help"
grep -q "usage: brixel-cli list" "$work/out" || fail "list --help prints no usage"
run "$cli" list "$work/two.tdf" "$work/two.tdf"
expect_rc 1 "two files"
grep -q "unexpected argument" "$work/err" || fail "extra argument not named"
cp "$work/two.tdf" "$work/-h.tdf"
cd "$work"
run "$cli" list -- -h.tdf
expect_rc 0 "a name that starts with -"
cd - >/dev/null
for args in "list $work/two.tdf" "--help"; do
  set +e
  "$cli" $args >/dev/full 2>/dev/null
  rc=$?
  set -e
  expect_rc 1 "$args to a full disk"
done

run "$cli" list "$work/two.tdf" --bogus
expect_rc 1 "unknown option"

# Text listing.
run "$cli" list "$work/two.tdf"
expect_rc 0 "text listing"
grep -q "^signature: ok$" "$work/out" || fail "text: no signature verdict"
grep -q "^fonts: 2$" "$work/out" || fail "text: font count"
grep -Eq "^ +1 Blocky +Block +1 +9 +2$" "$work/out" || fail "text: font 1 line: $(grep Blocky "$work/out")"
grep -q "^selected: 2$" "$work/out" || fail "text: selected font"
grep -q "^chars: !∙∙" "$work/out" || fail "text: chars of the selected font"

# JSON listing, checked field by field.
run "$cli" list --json "$work/two.tdf"
expect_rc 0 "json listing"
python3 - "$work/out" "$work/two.tdf" <<'PY' || fail "json listing content"
import json, sys
d = json.load(open(sys.argv[1], encoding="utf-8"))
assert d["file"] == sys.argv[2], d["file"]
assert d["signature_ok"] is True
f = d["fonts"]
assert len(f) == 2, f
assert f[0] == {"number": 1, "name": "Blocky", "type": "Block", "spacing": 1,
                "block_size": 9, "offset": 20, "glyphs": 2}, f[0]
assert f[1]["name"] == 'Q"\\\u2588\u2554z', f[1]["name"]
assert (f[1]["type"], f[1]["spacing"], f[1]["block_size"], f[1]["offset"], f[1]["glyphs"]) == \
    ("Color", 3, 5, 20 + 213 + 9, 1), f[1]
assert d["selected"] == 2
assert d["chars"] == "!" + "\u2219" * 93, d["chars"]
PY

# Not a font file: a listing without fonts, not an error.
printf 'hello, not a font\n' >"$work/plain.txt"
run "$cli" list "$work/plain.txt"
expect_rc 0 "plain file"
grep -q "not a TheDraw font file" "$work/out" || fail "plain file: verdict"
grep -q "no fonts found" "$work/out" || fail "plain file: says no fonts"
run "$cli" list "$work/plain.txt" --json
python3 -c '
import json, sys
d = json.load(open(sys.argv[1]))
assert d["signature_ok"] is False and d["fonts"] == [] and d["selected"] is None
' "$work/out" || fail "plain file json"

# Permissions: a read-only file lists, an unreadable one fails cleanly. Root
# ignores permission bits, so run the tool as an unprivileged user then.
permissions=yes
unprivileged_cli || { permissions=""; echo "skipping permission checks"; }
if [ -n "$permissions" ]; then
  cp "$work/two.tdf" "$work/ro.tdf" && chmod 444 "$work/ro.tdf"
  run "${as_user[@]}" "$cli" list "$work/ro.tdf"
  expect_rc 0 "read-only file"
  grep -q "^fonts: 2$" "$work/out" || fail "read-only file not listed"
  cp "$work/two.tdf" "$work/secret.tdf" && chmod 000 "$work/secret.tdf"
  run "${as_user[@]}" "$cli" list "$work/secret.tdf"
  expect_rc 1 "unreadable file"
  grep -q "secret.tdf: permission denied" "$work/err" || fail "unreadable file not explained"
fi

# Real files, when the corpus is there: every listing is valid JSON and
# agrees with the expected font names.
corpus=${BRIXEL_SOURCE_DIR:-.}/../shared/corpus
if [ -d "$corpus/tdf" ] && [ -f "$corpus/expected/tdfinfo.json" ]; then
  mkdir "$work/corpus"
  for f in "$corpus"/tdf/*; do
    run "$cli" list --json "$f"
    expect_rc 0 "corpus $(basename "$f")"
    cp "$work/out" "$work/corpus/$(basename "$f").json"
  done
  python3 - "$work/corpus" "$corpus/expected/tdfinfo.json" <<'PY' || fail "corpus listings"
import json, os, sys
want = {e["file"]: e for e in json.load(open(sys.argv[2]))}
bad = []
for name in sorted(os.listdir(sys.argv[1])):
    got = json.load(open(os.path.join(sys.argv[1], name), encoding="utf-8"))
    w = want[name[:-len(".json")]]
    if ([x["name"] for x in got["fonts"]] != [x["name"] for x in w["fonts"]]
            or [x["glyphs"] for x in got["fonts"]] != [x["glyphs_present"] for x in w["fonts"]]
            or got["selected"] != len(w["fonts"])):
        bad.append(name)
assert not bad, bad
PY
else
  echo "skipping corpus checks: no corpus at $corpus"
fi

cli_finish "cli list"
