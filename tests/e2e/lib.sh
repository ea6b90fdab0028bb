# Shared machinery of the end-to-end tests that drive the real Brixel window
# under Xvfb. Source it from a *_test.sh script; CTest passes BRIXEL_BIN,
# BRIXEL_CLI, BRIXEL_SOURCE_DIR and BRIXEL_BINARY_DIR.
#
#   e2e_start_x [--wm]        Xvfb on a free display (1280x1024x24), optionally
#                             openbox without key bindings; sets DISPLAY
#   e2e_private_program       Brixel from a copy with a brixel.ini of its own
#   e2e_start_brixel ARGS...  starts Brixel in a scratch working directory and
#                             waits for its window; sets BRIXEL_PID, BRIXEL_WID
#   e2e_shot FILE             screenshot of the window (import -window)
#   e2e_decode FILE           the screenshot's cells as JSON (screen_decode)
#   e2e_wait_exit [SECS]      waits for Brixel to end; sets BRIXEL_STATUS
#   e2e_wait_for DESC SECS CMD...  polls CMD until it succeeds
#   e2e_window_is WxH         whether the window has that size now (pollable)
#   e2e_edit_glyph_a TITLE    G, 'a' chosen, the glyph editor open
# Everything started here is stopped, and every temp dir removed, on exit.

set -euo pipefail

: "${BRIXEL_BIN:?run through ctest}" "${BRIXEL_BINARY_DIR:?run through ctest}" "${BRIXEL_VERSION:?run through ctest}"
E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/brixel-e2e.XXXXXX")
E2E_PIDS=()
BRIXEL_PID=""
BRIXEL_WID=""
BRIXEL_STATUS=""
BRIXEL_LOG="$E2E_TMP/brixel.log"
SCREEN_DECODE="$BRIXEL_BINARY_DIR/tests/screen_decode"
# Under AddressSanitizer, leaks of the system libraries SDL loads on X11 are not ours,
# and the list of suppressions used would read as output of a run that must print nothing.
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}print_suppressions=0:suppressions=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/lsan.supp"
GLYPH_SHEET="$BRIXEL_BINARY_DIR/80x25.png"

e2e_cleanup() {
  local pid
  for pid in ${BRIXEL_PID:+"$BRIXEL_PID"} "${E2E_PIDS[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  for pid in ${BRIXEL_PID:+"$BRIXEL_PID"} "${E2E_PIDS[@]}"; do
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT
trap "exit 1" INT TERM

e2e_fail() {
  echo "FAIL: $*" >&2
  # A polled condition may leave what it last saw here.
  if [ -s "$E2E_TMP/seen.txt" ]; then echo "--- last seen: $(cat "$E2E_TMP/seen.txt")" >&2; fi
  if [ -s "$BRIXEL_LOG" ]; then
    echo "--- brixel output:" >&2
    cat "$BRIXEL_LOG" >&2
  fi
  exit 1
}

# e2e_wait_for DESCRIPTION SECONDS COMMAND...: polls every 0.1 s.
e2e_wait_for() {
  local what=$1 secs=$2
  shift 2
  local deadline=$((SECONDS + secs))
  until "$@" >/dev/null 2>&1; do
    if [ "$SECONDS" -ge "$deadline" ]; then e2e_fail "timed out after ${secs}s waiting for $what"; fi
    sleep 0.1
  done
}

e2e_start_x() {
  local fifo="$E2E_TMP/displayfd"
  rm -f "$fifo"
  # Xvfb picks a free display itself and writes its number to the descriptor.
  # Two servers choosing at the same moment can both take the same number, so
  # tests running in parallel take turns until their server answers.
  # -noreset: a server resets when its last client leaves (the xdpyinfo probe
  # below) and refuses connections meanwhile, so Brixel started right after
  # could find no X server and fall back to an invisible window.
  exec 9>"${TMPDIR:-/tmp}/brixel-e2e-xvfb.lock"
  flock 9
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fifo" 2>"$E2E_TMP/xvfb.log" 9>&- &
  E2E_PIDS+=($!)
  e2e_wait_for "Xvfb to choose a display" 30 test -s "$fifo"
  DISPLAY=":$(head -n1 "$fifo")"
  export DISPLAY
  e2e_wait_for "the X server" 30 xdpyinfo
  exec 9>&-
  if [ "${1:-}" = "--wm" ]; then
    # Openbox with no key bindings, so every key reaches Brixel.
    cat >"$E2E_TMP/rc.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <keyboard></keyboard>
  <mouse></mouse>
  <desktops><number>1</number></desktops>
</openbox_config>
XML
    openbox --config-file "$E2E_TMP/rc.xml" >"$E2E_TMP/openbox.log" 2>&1 &
    E2E_PIDS+=($!)
    e2e_wait_for "the window manager" 30 e2e_wm_running
  fi
  # No audio device in the tests: the click is silenced, as when none exists.
  export SDL_AUDIODRIVER=dummy
  # Without X, SDL would quietly open an invisible window instead: fail loudly.
  export SDL_VIDEODRIVER=x11
}

# xprop answers 0 also when the property is missing: look for the value.
e2e_wm_running() {
  xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"
}

# e2e_private_program: Brixel runs from a copy in the temp dir, so the
# brixel.ini it keeps beside itself (the art folder A remembers) is its own:
# tests that run side by side would otherwise open each other's folders.
e2e_private_program() {
  local bin="$E2E_TMP/bin" f
  mkdir -p "$bin"
  cp "$BRIXEL_BIN" "$bin/brixel"
  for f in 80x25.png click.wav bell.wav tdf.ico; do cp "$BRIXEL_BINARY_DIR/$f" "$bin/"; done
  BRIXEL_BIN="$bin/brixel"
}

e2e_start_brixel() {
  mkdir -p "$E2E_TMP/work"
  # A working directory without data files: they are found next to the binary.
  (cd "$E2E_TMP/work" && exec "$BRIXEL_BIN" "$@") >"$BRIXEL_LOG" 2>&1 &
  BRIXEL_PID=$!
  local title="^Brixel v${BRIXEL_VERSION//./\\.}\$"
  e2e_wait_for "the Brixel window" 30 xdotool search --onlyvisible --pid "$BRIXEL_PID" --name "$title"
  BRIXEL_WID=$(xdotool search --onlyvisible --pid "$BRIXEL_PID" --name "$title" | head -n1)
  e2e_focus
}

# e2e_key KEY...: keys to the focused window, without the modifiers held.
e2e_key() { xdotool key --clearmodifiers "$@"; }

# e2e_focus: gives Brixel the keyboard focus (XTEST keys go to the focus).
e2e_focus() {
  xdotool windowfocus "$BRIXEL_WID"
  e2e_wait_for "the keyboard focus" 10 e2e_has_focus
}
e2e_has_focus() {
  [ "$(xdotool getwindowfocus 2>/dev/null)" = "$BRIXEL_WID" ]
}

# e2e_edit_glyph_a TITLE: G on the main screen, 'a' chosen in the TDF Chars
# browser, and the glyph editor open with TITLE on its first row.
e2e_edit_glyph_a() {
  e2e_key g
  e2e_wait_for "the TDF Chars browser" 30 e2e_row_shows 8 " TDF Chars "
  e2e_key Down
  for _ in $(seq 17); do e2e_key Right; done
  e2e_wait_for "'a' highlighted" 30 e2e_row_shows 9 "Dec: 97 Hex: 61"
  e2e_key Return
  e2e_wait_for "the editor" 30 e2e_row_shows 1 "$1"
}

# e2e_window_size: prints WIDTHxHEIGHT of the Brixel window.
e2e_window_size() {
  xdotool getwindowgeometry "$BRIXEL_WID" | sed -n 's/.*Geometry: //p'
}

# e2e_window_is WIDTHxHEIGHT: measures anew on every call, so it can be polled
# (an argument like "$(e2e_window_size)" is measured once, before polling
# starts); notes the size it saw for the failure message.
e2e_window_is() {
  e2e_window_size >"$E2E_TMP/seen.txt"
  [ "$(cat "$E2E_TMP/seen.txt")" = "$1" ]
}

e2e_shot() {
  import -window "$BRIXEL_WID" "$1"
}

e2e_decode() {
  "$SCREEN_DECODE" "$GLYPH_SHEET" "$1"
}

# e2e_screen_settles FILE: takes screenshots until two in a row decode to the
# same cells (the cursor may blink in between), leaving the JSON in FILE.
e2e_screen_settles() {
  local out=$1 previous="" current deadline=$((SECONDS + 60))
  while [ "$SECONDS" -lt "$deadline" ]; do
    e2e_shot "$E2E_TMP/settle.png"
    current=$(e2e_decode "$E2E_TMP/settle.png" 2>"$E2E_TMP/settle.err" || true)
    if [ -n "$current" ] && [ "$current" = "$previous" ]; then
      printf '%s\n' "$current" >"$out"
      return 0
    fi
    previous=$current
    sleep 0.2
  done
  # What the last shot was, for the failure message.
  { identify -format '%wx%h shot; ' "$E2E_TMP/settle.png"; head -c 300 "$E2E_TMP/settle.err"; } \
    >"$E2E_TMP/seen.txt" 2>&1 || true
  e2e_fail "the screen did not settle"
}

# e2e_selection_matches FILE JSON stream|block C0 R0 C1 R1: whether FILE holds
# what a left (stream) or middle (block) drag from cell (C0, R0) to (C1, R1)
# copies from the decoded screen JSON. Where pixels cannot tell the cell
# (see screen_decode), every possible character is accepted: a one-colour
# cell is a blank (copied as nothing or a space), a no-break space or a full
# block; a half block may be its opposite half with the colours swapped.
e2e_selection_matches() {
  python3 - "$@" <<'PY'
import json, re, sys
path, screen, mode = sys.argv[1], sys.argv[2], sys.argv[3]
c0, r0, c1, r1 = map(int, sys.argv[4:8])
rows = json.load(open(screen))
opposite = {220: 223, 223: 220, 221: 222, 222: 221}
def char(code):
    return bytes([code]).decode("cp437")
def cells(r, first, last):
    out, blanks = "", 0
    for code, _ in rows[r - 1][first - 1:last] + [[-1, 0]]:
        if code == 0:
            blanks += 1
            continue
        if blanks:
            out += "[ \u00a0\u2588]{0,%d}" % blanks
            blanks = 0
        if code in opposite:
            out += "[" + char(code) + char(opposite[code]) + "]"
        elif code > 13:
            out += re.escape(char(code))
    return out
if mode == "stream":
    spans = [(r0, c0, c1)] if r0 == r1 else \
        [(r0, c0, 80)] + [(r, 1, 80) for r in range(r0 + 1, r1)] + [(r1, 1, c1)]
    pattern = "\r".join(cells(*s) for s in spans)
else:
    pattern = "".join(cells(r, c0, c1) + "\r\n" for r in range(r0, r1 + 1))
text = open(path, "rb").read().decode("utf-8")
sys.exit(0 if re.fullmatch(pattern, text, re.S) else 1)
PY
}

# e2e_clipboard: the clipboard text, read while Brixel owns it.
e2e_clipboard() {
  timeout 20 xclip -o -selection clipboard
}

e2e_wait_exit() {
  local secs=${1:-20} deadline
  deadline=$((SECONDS + secs))
  while kill -0 "$BRIXEL_PID" 2>/dev/null; do
    if [ "$SECONDS" -ge "$deadline" ]; then e2e_fail "Brixel did not end within ${secs}s"; fi
    sleep 0.1
  done
  BRIXEL_STATUS=0
  wait "$BRIXEL_PID" || BRIXEL_STATUS=$?
  BRIXEL_PID=""
}

# e2e_drag BUTTON X0 Y0 X1 Y1: a mouse drag in window coordinates.
e2e_drag() {
  local button=$1
  # X delivers the motion before the release, in the order they were made.
  xdotool mousemove --sync --window "$BRIXEL_WID" "$2" "$3" mousedown "$button"
  xdotool mousemove --sync --window "$BRIXEL_WID" $((($2 + $4) / 2)) $((($3 + $5) / 2))
  xdotool mousemove --sync --window "$BRIXEL_WID" "$4" "$5" mouseup "$button"
}

# e2e_row_shows ROW TEXT [COLUMN]: whether row ROW of a fresh screenshot holds
# TEXT (code page 437 written as UTF-8), anywhere or starting at COLUMN. The
# row is noted for the failure message of a poll.
e2e_row_shows() {
  e2e_shot "$E2E_TMP/row.png"
  e2e_decode "$E2E_TMP/row.png" >"$E2E_TMP/row.json" 2>/dev/null || true
  python3 - "$E2E_TMP/row.json" "$E2E_TMP/seen.txt" "$@" <<'PY'
import json, sys
try:
    rows = json.load(open(sys.argv[1]))
except ValueError:
    sys.exit(1)
row = bytes(c if c > 13 else 32 for c, _ in rows[int(sys.argv[3]) - 1]).decode("cp437")
open(sys.argv[2], "w").write(row)
text = sys.argv[4]
if len(sys.argv) > 5:
    at = int(sys.argv[5]) - 1
    sys.exit(0 if row[at:at + len(text)] == text else 1)
sys.exit(0 if text in row else 1)
PY
}

# e2e_sample_matches CLI_JSON: whether the window's sample area (rows 2-22)
# equals, pixel for pixel, the screen brixel-cli render --json drew; rows 1
# and 23-25 are taken from the shot itself and checked by the caller.
e2e_sample_matches() {
  e2e_shot "$E2E_TMP/sample.png"
  e2e_decode "$E2E_TMP/sample.png" >"$E2E_TMP/sample.json" 2>/dev/null || true
  python3 - "$1" "$E2E_TMP/sample.json" "$E2E_TMP/expected.json" <<'PY' || return 1
import json, sys
cli = json.load(open(sys.argv[1]))
try:
    shot = json.load(open(sys.argv[2]))
except ValueError:
    sys.exit(1)
json.dump([shot[0]] + cli[1:22] + shot[22:], open(sys.argv[3], "w"))
PY
  "$SCREEN_DECODE" "$GLYPH_SHEET" "$E2E_TMP/sample.png" "$E2E_TMP/expected.json" >/dev/null 2>&1
}
