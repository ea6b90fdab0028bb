#!/usr/bin/env bash
# Start-up without a font file: the Load dialog picks one with keys; L loads
# another, D deletes the loaded copy and Esc in the next dialog ends with exit
# code 0. A real font whose name holds "-h" opens from the command line.
source "$(dirname "$0")/lib.sh"

work="$E2E_TMP/work"
mkdir -p "$work"
for name in a b victim; do cp "$BRIXEL_BINARY_DIR/demo.tdf" "$work/$name.tdf"; done

# shows ROW TEXT: whether row ROW of a fresh screenshot holds TEXT.
shows() {
  e2e_shot "$E2E_TMP/shot.png"
  "$SCREEN_DECODE" "$GLYPH_SHEET" "$E2E_TMP/shot.png" >"$E2E_TMP/shot.json" 2>/dev/null || true
  python3 - "$E2E_TMP/shot.json" "$1" "$2" "$E2E_TMP/seen.txt" <<'PY'
import json, sys
try:
    rows = json.load(open(sys.argv[1]))
except ValueError:
    sys.exit(1)
row = bytes(c if c > 13 else 32 for c, _ in rows[int(sys.argv[2]) - 1]).decode("cp437")
open(sys.argv[4], "w").write(row)
sys.exit(0 if sys.argv[3] in row else 1)
PY
}
key() { xdotool key --clearmodifiers "$@"; }

e2e_start_x
e2e_start_brixel
e2e_wait_for "the Load dialog" 30 shows 5 " Load Font "
e2e_wait_for "the three font files" 30 shows 9 "Files (3)"
key Return
e2e_wait_for "a.tdf loaded" 30 shows 1 "a.tdf "

key l
e2e_wait_for "the Load dialog again" 30 shows 5 " Load Font "
key Down Down
key Return
e2e_wait_for "victim.tdf loaded" 30 shows 1 "victim.tdf "

key d
e2e_wait_for "the question" 30 shows 12 "Are you sure?"
key y
e2e_wait_for "the deletion told" 30 shows 12 "File deleted. Load another one."
key Return
e2e_wait_for "the Load dialog after the deletion" 30 shows 9 "Files (2)"
[ ! -e "$work/victim.tdf" ] || e2e_fail "victim.tdf was not deleted"
[ -f "$work/a.tdf" ] && [ -f "$work/b.tdf" ] || e2e_fail "another file went too"
key Escape
e2e_wait_exit 20
[ "$BRIXEL_STATUS" -eq 0 ] || e2e_fail "Esc in the dialog ended with $BRIXEL_STATUS"

corpus=$BRIXEL_SOURCE_DIR/../shared/corpus/tdf
if [ -f "$corpus/cfh-hoer.tdf" ]; then
  cp "$corpus/cfh-hoer.tdf" "$work/cfh-hoer.tdf"
  e2e_start_brixel cfh-hoer.tdf
  e2e_wait_for "cfh-hoer.tdf loaded" 30 shows 1 "cfh-hoer.tdf "
  key Escape
  e2e_wait_exit 20
  [ "$BRIXEL_STATUS" -eq 0 ] || e2e_fail "Esc ended with $BRIXEL_STATUS"
else
  echo "no corpus: the -h name is checked by the unit tests only"
fi
echo "load dialog test passed"
