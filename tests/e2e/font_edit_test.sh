#!/usr/bin/env bash
# Renaming a font and changing its spacing in the window: the status line
# follows and the bytes on disk say the same.
source "$(dirname "$0")/lib.sh"
: "${BRIXEL_CLI:?run through ctest}"

work="$E2E_TMP/work"
mkdir -p "$work"
cp "$BRIXEL_BINARY_DIR/demo.tdf" "$work/copy.tdf"

e2e_start_x
e2e_start_brixel copy.tdf
e2e_wait_for "the second font shown" 30 e2e_row_shows 1 "Name: Brixel Color [Color]"
xdotool key --clearmodifiers n ctrl+y
xdotool type --clearmodifiers "Sharp"
xdotool key --clearmodifiers Return
e2e_wait_for "the new name" 30 e2e_row_shows 1 "Name: Sharp [Color]"
xdotool key --clearmodifiers i
xdotool type --clearmodifiers "7"
xdotool key --clearmodifiers Return
e2e_wait_for "the new spacing" 30 e2e_row_shows 1 "Spacing: 7"
e2e_row_shows 1 "Font: 2/2" || e2e_fail "another font is shown after the changes"

"$BRIXEL_CLI" list --json "$work/copy.tdf" >"$E2E_TMP/list.json"
python3 - "$E2E_TMP/list.json" <<'PY' || e2e_fail "the file on disk does not hold the changes"
import json, sys
fonts = json.load(open(sys.argv[1]))["fonts"]
assert (fonts[1]["name"], fonts[1]["spacing"]) == ("Sharp", 7), fonts[1]
assert fonts[0]["name"] == "Brixel Block", fonts[0]
PY
xdotool key --clearmodifiers Escape
e2e_wait_exit 20
[ "$BRIXEL_STATUS" -eq 0 ] || e2e_fail "ESC ended with $BRIXEL_STATUS"
echo "font edit test passed"
