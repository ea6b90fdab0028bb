#!/usr/bin/env bash
# Alt+Enter switches to desktop fullscreen and back, under a window manager
# (openbox with its key bindings removed).
source "$(dirname "$0")/lib.sh"
# The log lines read below are diagnostics, written only when asked for.
export BRIXEL_DEBUG=1

e2e_start_x --wm
e2e_start_brixel "$BRIXEL_BINARY_DIR/demo.tdf"
e2e_wait_for "the window at 640x400" 30 e2e_window_is 640x400
e2e_screen_settles "$E2E_TMP/before.json"

xdotool windowactivate "$BRIXEL_WID"
e2e_focus
xdotool key --clearmodifiers alt+Return
e2e_wait_for "the fullscreen window" 30 e2e_window_is 1280x1024
e2e_wait_for "cells of 16x40" 10 grep -qx "New FontHeight : 40" "$BRIXEL_LOG"
# The cells fill 1280x1000; the rest stays black.
e2e_shot "$E2E_TMP/full.png"
[ "$(convert "$E2E_TMP/full.png" -crop 1280x24+0+1000 -format '%[fx:maxima.r+maxima.g+maxima.b]' info:)" = 0 ] ||
  e2e_fail "the margin below the cells is not black"

xdotool key --clearmodifiers alt+Return
e2e_wait_for "the window back at 640x400" 30 e2e_window_is 640x400
same() {
  e2e_shot "$E2E_TMP/after.png"
  "$SCREEN_DECODE" "$GLYPH_SHEET" "$E2E_TMP/after.png" "$E2E_TMP/before.json" >/dev/null
}
e2e_wait_for "the screen as before" 30 same

# wm_toggle_fullscreen: asks the window manager itself to switch, as a pager or
# wmctrl does, so the switch happens without Brixel asking for it.
wm_toggle_fullscreen() {
  python3 - "$BRIXEL_WID" <<'PY'
import ctypes, sys
x = ctypes.cdll.LoadLibrary("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XInternAtom.restype = ctypes.c_ulong
x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x.XDefaultRootWindow.restype = ctypes.c_ulong
x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
x.XCloseDisplay.argtypes = [ctypes.c_void_p]
class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int), ("l", ctypes.c_long * 5)]
class XEvent(ctypes.Union):
    _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]
d = x.XOpenDisplay(None)
e = XEvent()
e.xclient.type = 33  # ClientMessage
e.xclient.window = int(sys.argv[1])
e.xclient.message_type = x.XInternAtom(d, b"_NET_WM_STATE", 0)
e.xclient.format = 32
e.xclient.l[0] = 2  # toggle
e.xclient.l[1] = x.XInternAtom(d, b"_NET_WM_STATE_FULLSCREEN", 0)
e.xclient.l[3] = 1  # from an application
substructure_redirect_and_notify = (1 << 20) | (1 << 19)
x.XSendEvent(d, x.XDefaultRootWindow(d), 0, substructure_redirect_and_notify, ctypes.byref(e))
x.XCloseDisplay(d)
PY
}

# toggle_by wm|key SIZE: one switch, by the window manager or by Alt+Enter,
# after which the window has that size.
toggle_by() {
  if [ "$1" = wm ]; then wm_toggle_fullscreen; else xdotool key --clearmodifiers alt+Return; fi
  e2e_wait_for "the window at $2 after one switch by $1" 30 e2e_window_is "$2"
}

# A switch the window manager made on its own takes one Alt+Enter to undo,
# in either direction: SDL knows only the switches it made itself.
toggle_by wm 1280x1024
toggle_by key 640x400
toggle_by key 1280x1024
toggle_by wm 640x400
toggle_by key 1280x1024
toggle_by key 640x400
xdotool key --clearmodifiers Escape
e2e_wait_exit 20
[ "$BRIXEL_STATUS" -eq 0 ] || e2e_fail "ESC ended with $BRIXEL_STATUS"
echo "fullscreen test passed"
