#pragma once

// SDL wakes a thread waiting for events by sending a message to the window on
// a second X connection. The X server may handle that message only after the
// window is gone, at shutdown, and Xlib's default answer to the error that
// follows is to end the process with exit code 1. Call before video starts:
// SDL keeps the handler it finds and puts it back when it closes its X
// connections, which is when the late error is read. Every other error still
// reaches Xlib's own handler.
void IgnoreLateWakeupErrors();
