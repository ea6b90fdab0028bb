#!/usr/bin/env bash
# Two programs changing one font file never lose an edit. brixel-cli clones a
# font in front of the one the window shows, before G and while the editor is
# open: the editor's saves land in the font shown (the second after a refused
# save and the reload it offers), never in a clone. Two renames of one bundle
# started together keep both names, or one is refused with exit 1.
source "$(dirname "$0")/lib.sh"
: "${BRIXEL_CLI:?run through ctest}"
cli=$BRIXEL_CLI
work="$E2E_TMP/work"
mkdir -p "$work"
cp "$BRIXEL_BINARY_DIR/demo.tdf" "$work/b.tdf"
names() {
  "$cli" list --json "$1" |
    python3 -c "import json,sys; print(','.join(f['name'] for f in json.load(sys.stdin)['fonts']))"
}

e2e_start_x
e2e_start_brixel b.tdf
e2e_wait_for "font 2 shown" 30 e2e_row_shows 1 "Name: Brixel Color [Color]"
# Cloned before G: the editor reads the font where it is now.
"$cli" clone-font --font 1 "$work/b.tdf" CLONE || e2e_fail "clone-font failed"
e2e_edit_glyph_a " Glyph a Brixel Color [Color]"
e2e_key x ctrl+s
e2e_wait_for "the glyph saved" 30 e2e_row_shows 24 "Saved."
# Cloned while the editor is open: the save is refused, then offered a reload.
"$cli" clone-font --font 1 "$work/b.tdf" CLONE2 || e2e_fail "clone-font failed"
cp "$work/b.tdf" "$E2E_TMP/cloned.tdf"
e2e_key y ctrl+s
e2e_wait_for "the offer to reload" 30 e2e_row_shows 12 "changed since it was loaded"
cmp -s "$work/b.tdf" "$E2E_TMP/cloned.tdf" || e2e_fail "the refused save changed the file"
e2e_key Return ctrl+s
e2e_wait_for "the glyph saved again" 30 e2e_row_shows 24 "Saved."
[ "$(names "$work/b.tdf")" = "Brixel Block,CLONE2,CLONE,Brixel Color" ] ||
  e2e_fail "fonts now: $(names "$work/b.tdf")"
for n in 1 2 3 4; do "$cli" glyph --font "$n" --json "$work/b.tdf" a >"$E2E_TMP/a$n.json"; done
python3 - "$E2E_TMP"/a{1,2,3,4}.json <<'PY' || e2e_fail "the saves are not in Brixel Color alone"
import json, sys
block, clone2, clone, color = (json.load(open(p))["rows"] for p in sys.argv[1:])
assert clone2 == block and clone == block, "a clone changed"
assert (color[0][0][0], color[0][1][0]) == (ord("x"), ord("y")), color[0]
PY
e2e_key Escape
e2e_wait_for "the main screen again" 30 e2e_row_shows 1 "Font: 4/4"
e2e_key Escape
e2e_wait_exit 20

# A bundle of 2,048 fonts (16 MB), so each rename takes a while.
cp "$BRIXEL_BINARY_DIR/demo.tdf" "$work/big.tdf"
for _ in $(seq 10); do "$cli" merge "$work/big.tdf" "$work/big.tdf" >/dev/null; done
for round in 1 2 3; do
  "$cli" rename --font 1 "$work/big.tdf" "AAAA$round" 2>"$E2E_TMP/err1" &
  first=$!
  "$cli" rename --font 2 "$work/big.tdf" "BBBB$round" 2>"$E2E_TMP/err2" && rc2=0 || rc2=$?
  wait "$first" && rc1=0 || rc1=$?
  got=$(names "$work/big.tdf" | cut -d, -f1-2)
  case "$rc1$rc2,$got" in
    "00,AAAA$round,BBBB$round" | "10,"*",BBBB$round" | "01,AAAA$round,"*) ;;
    *) e2e_fail "round $round: exit codes $rc1 and $rc2, names $got" ;;
  esac
  [ "$rc1$rc2" = 00 ] || grep -q "changed since it was loaded" "$E2E_TMP"/err? ||
    e2e_fail "round $round: a refusal without its reason"
done
[ -z "$(ls -A "$work" | grep '^\.bx\.')" ] || e2e_fail "temporary files left: $(ls -A "$work")"
echo "font concurrency test passed"
