#!/usr/bin/env bash
# The main screen of the real binary equals, cell by cell, what brixel-cli
# render draws with the same font, text and place; keys step fonts, change the
# Block colour and the sample text, and ESC ends with exit code 0.
source "$(dirname "$0")/lib.sh"
: "${BRIXEL_CLI:?run through ctest}"

FONT="$BRIXEL_BINARY_DIR/demo.tdf"

# expect_sample NAME TEXT CLI-ARGS...: waits until the screenshot shows the sample
# area (rows 2-22) exactly as brixel-cli render draws it at (1, 3); rows 1
# and 23-25 are checked as text separately, so they are taken from the shot.
expect_sample() {
  local name=$1 text=$2
  shift 2
  "$BRIXEL_CLI" render "$FONT" --x 1 --y 3 --json "$@" "$text" >"$E2E_TMP/$name.cli.json" ||
    e2e_fail "brixel-cli render $* failed"
  local start=$SECONDS
  e2e_wait_for "the sample of $name to match brixel-cli render" 30 e2e_sample_matches "$E2E_TMP/$name.cli.json"
  cp "$E2E_TMP/sample.json" "$E2E_TMP/$name.shot.json"
  echo "$name: window matches brixel-cli render after $((SECONDS - start))s or less"
}

# row_text N: the visible text of row N of the last decoded screenshot.
row_text() {
  python3 - "$1" "$2" <<'PY'
import json, sys
rows = json.load(open(sys.argv[1]))
print(bytes(c if c > 13 else 32 for c, _ in rows[int(sys.argv[2]) - 1]).decode("cp437"))
PY
}

e2e_start_x
e2e_start_brixel "$FONT"

# The last font of the file is shown first, in its own colours, with the
# main keys named on row 25 until the first key.
expect_sample color Sample
status=$(row_text "$E2E_TMP/color.shot.json" 1)
case "$status" in
  "demo.tdf "*"Font: 2/2"*"Spacing: 1"*"Name: Brixel Color [Color]") ;;
  *) e2e_fail "status line is '$status'" ;;
esac
help=$(row_text "$E2E_TMP/color.shot.json" 25)
# (The half blocks around the H decode ambiguously; the sample check above
# already compared those cells pixel for pixel.)
[ "${help:1:1}" = H ] && [ "${help:3:4}" = Help ] || e2e_fail "row 25 is '$help'"
case "$help" in *"ESC Quit  L Load  T Text"*) ;; *) e2e_fail "no key hint on row 25: '$help'" ;; esac
chars=$(row_text "$E2E_TMP/color.shot.json" 23)
case "$chars" in *"Chars.:!\"#\$%&'()*+,-./0123456789"*) ;; *) e2e_fail "row 23 is '$chars'" ;; esac

# Up wraps from the last font to the first, a Block font in colour 15.
xdotool key --clearmodifiers Up
expect_sample block Sample --font 1 --color 15
status=$(row_text "$E2E_TMP/block.shot.json" 1)
case "$status" in *"Font: 1/2"*"Name: Brixel Block [Block]") ;; *) e2e_fail "status line is '$status'" ;; esac
case "$(row_text "$E2E_TMP/block.shot.json" 25)" in *Quit*) e2e_fail "the key hint stayed" ;; esac

# + on colour 15 wraps to 1.
xdotool key --clearmodifiers plus
expect_sample blue Sample --font 1 --color 1

# T takes a new sample text from the prompt on row 25.
xdotool key --clearmodifiers t
xdotool key --clearmodifiers ctrl+y
xdotool type --clearmodifiers "Brx!"
xdotool key --clearmodifiers Return
expect_sample text "Brx!" --font 1 --color 1

kill -0 "$BRIXEL_PID" 2>/dev/null || { e2e_wait_exit 5; e2e_fail "Brixel ended early with $BRIXEL_STATUS"; }
xdotool key --clearmodifiers Escape
e2e_wait_exit 20
[ "$BRIXEL_STATUS" -eq 0 ] || e2e_fail "ESC ended with $BRIXEL_STATUS"
echo "main screen test passed"
