#!/usr/bin/env bash
# brixel-cli fonts over a tree of folders: the order, the keys of the JSON
# form, --has, and the notes for what is skipped.
source "$(dirname "$0")/cli_lib.sh"

# tree/Nested/a.tdf: Alpha (Block; A B 1 2); tree/Nested/deeper/c.TDF: Charlie
# (Outline; A 1 2); tree/b.tdf: Bravo (Block; A B 1) and Both (Color; A b).
mkdir -p "$work/tree/Nested/deeper" "$work/tree/locked"
python3 - "$work/tree" <<'PY'
import struct, sys
def font(name, ftype, spacing, chars):
    block, offsets = b"", [0xFFFF] * 94
    for ch in chars:
        offsets[ord(ch) - 33] = len(block)
        block += bytes([1, 1, ord("x"), 0]) if ftype != 2 else bytes([1, 1, ord("x"), 0x1E, 0])
    header = bytes([0x55, 0xAA, 0, 0xFF, len(name)]) + name.ljust(12, b"\0") + bytes(4)
    header += bytes([ftype, spacing]) + struct.pack("<H", len(block)) + struct.pack("<94H", *offsets)
    return header + block
sig = bytes([19]) + b"TheDraw FONTS file\x1a"
root = sys.argv[1]
open(root + "/Nested/a.tdf", "wb").write(sig + font(b"Alpha", 1, 1, "AB12"))
open(root + "/Nested/deeper/c.TDF", "wb").write(sig + font(b"Charlie", 0, 0, "A12"))
open(root + "/b.tdf", "wb").write(sig + font(b"Bravo", 1, 12, "AB1") + font(b"Both", 2, 3, "Ab"))
open(root + "/locked/hidden.tdf", "wb").write(sig + font(b"Hidden", 1, 1, "A"))
open(root + "/fake.tdf", "wb").write(b"no font in here\n")
open(root + "/notes.txt", "wb").write(b"not looked at\n")
PY
mkfifo "$work/tree/pipe.tdf"
cd "$work"

# Root reads every folder: the unreadable one needs an ordinary user.
if unprivileged_cli; then
  chmod -R a+rX "$work"
else
  echo "skipping the unreadable folder"
  rm -r "$work/tree/locked"
fi
[ ! -d tree/locked ] || chmod 000 tree/locked

run timeout 20 "${as_user[@]}" "$cli" fonts tree
expect_rc 0 "text listing"
cat >"$work/want" <<'TXT'
tree/Nested/a.tdf         1  Alpha         Block      1   4
tree/Nested/deeper/c.TDF  1  Charlie       Outline    0   3
tree/b.tdf                1  Bravo         Block     12   3
tree/b.tdf                2  Both          Color      3   2
TXT
diff "$work/want" "$work/out" >&2 || fail "text listing differs"
for note in "tree/fake.tdf: skipped: not a TheDraw font file" \
  "tree/pipe.tdf: skipped: not a regular file"; do
  grep -qxF "brixel-cli fonts: $note" "$work/err" || fail "no note '$note': $(cat "$work/err")"
done
if [ -d tree/locked ]; then
  grep -qxF "brixel-cli fonts: tree/locked: skipped: permission denied" "$work/err" ||
    fail "unreadable folder not noted: $(cat "$work/err")"
fi
grep -q "notes.txt" "$work/err" && fail "a file that is no font file by name was noted"

# --has: letters in their case, digits, a space, a character beyond '~'.
while IFS='|' read -r text want; do
  run timeout 20 "${as_user[@]}" "$cli" fonts --json --has "$text" tree
  expect_rc 0 "--has '$text'"
  got=$(python3 -c '
import json, sys
fonts = json.load(open(sys.argv[1]))
assert all(sorted(f) == ["file", "glyphs", "name", "number", "spacing", "type"] for f in fonts)
print(" ".join("%s:%d:%s" % (f["file"], f["number"], f["name"]) for f in fonts))' "$work/out") ||
    fail "--has '$text': bad JSON"
  [ "$got" = "$want" ] || fail "--has '$text': got '$got', want '$want'"
done <<'CASES'
AB|tree/Nested/a.tdf:1:Alpha tree/b.tdf:1:Bravo
A1 2|tree/Nested/a.tdf:1:Alpha tree/Nested/deeper/c.TDF:1:Charlie
Ab|tree/b.tdf:2:Both
 |tree/Nested/a.tdf:1:Alpha tree/Nested/deeper/c.TDF:1:Charlie tree/b.tdf:1:Bravo tree/b.tdf:2:Both
Aé|
CASES

# A named path that is missing: said, the rest listed, exit code 1.
run "$cli" fonts tree/Nested/deeper missing.tdf
expect_rc 1 "a missing path"
grep -q "^tree/Nested/deeper/c.TDF " "$work/out" || fail "missing path: the rest is not listed"
grep -qxF "brixel-cli fonts: missing.tdf: skipped: no such file or directory" "$work/err" ||
  fail "missing path not said"

cli_finish "cli fonts"
