#!/usr/bin/env bash
# Start-up without a font file: the Load dialog picks one with keys; L loads
# another by its typed name, D deletes the loaded copy and Esc in the next
# dialog ends with exit code 0. A real font whose name holds "-h" opens from
# the command line.
source "$(dirname "$0")/lib.sh"

work="$E2E_TMP/work"
mkdir -p "$work"
for name in a b victim; do cp "$BRIXEL_BINARY_DIR/demo.tdf" "$work/$name.tdf"; done

question_gone() { ! e2e_row_shows 12 "Delete victim.tdf?"; }

e2e_start_x
e2e_start_brixel
e2e_wait_for "the Load dialog" 30 e2e_row_shows 5 " Load Font "
e2e_wait_for "the three font files" 30 e2e_row_shows 9 "Files (3)"
e2e_key Return
e2e_wait_for "a.tdf loaded" 30 e2e_row_shows 1 "a.tdf "

e2e_key l
e2e_wait_for "the Load dialog again" 30 e2e_row_shows 5 " Load Font "
# Typed in the list, a name goes to the field at the bottom, and Enter opens it.
xdotool type --clearmodifiers "victim.tdf"
e2e_key Return
e2e_wait_for "victim.tdf loaded" 30 e2e_row_shows 1 "victim.tdf "

e2e_key d
e2e_wait_for "the question" 30 e2e_row_shows 12 "Delete victim.tdf?"
e2e_key Return  # NO is preselected: the file stays
e2e_wait_for "the question closed" 30 question_gone
[ -f "$work/victim.tdf" ] || e2e_fail "Enter on the question deleted the file"
e2e_key d
e2e_wait_for "the question again" 30 e2e_row_shows 12 "Delete victim.tdf?"
e2e_key y
e2e_wait_for "the deletion told" 30 e2e_row_shows 12 "File deleted. Load another one."
e2e_key Return
e2e_wait_for "the Load dialog after the deletion" 30 e2e_row_shows 9 "Files (2)"
[ ! -e "$work/victim.tdf" ] || e2e_fail "victim.tdf was not deleted"
[ -f "$work/a.tdf" ] && [ -f "$work/b.tdf" ] || e2e_fail "another file went too"
e2e_key Escape
e2e_wait_exit 20
[ "$BRIXEL_STATUS" -eq 0 ] || e2e_fail "Esc in the dialog ended with $BRIXEL_STATUS"

corpus=$BRIXEL_SOURCE_DIR/../shared/corpus/tdf
if [ -f "$corpus/cfh-hoer.tdf" ]; then
  cp "$corpus/cfh-hoer.tdf" "$work/cfh-hoer.tdf"
  e2e_start_brixel cfh-hoer.tdf
  e2e_wait_for "cfh-hoer.tdf loaded" 30 e2e_row_shows 1 "cfh-hoer.tdf "
  e2e_key Escape
  e2e_wait_exit 20
  [ "$BRIXEL_STATUS" -eq 0 ] || e2e_fail "Esc ended with $BRIXEL_STATUS"
else
  echo "no corpus: the -h name is checked by the unit tests only"
fi
echo "load dialog test passed"
