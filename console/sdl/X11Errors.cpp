#include "console/sdl/X11Errors.h"

#include <X11/Xlib.h>
#include <X11/Xproto.h>

namespace {

XErrorHandler PreviousHandler = nullptr;

int IgnoreSendEventToGoneWindow(Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow && error->request_code == X_SendEvent) return 0;
  return PreviousHandler ? PreviousHandler(display, error) : 0;
}

}  // namespace

void IgnoreLateWakeupErrors() {
  if (PreviousHandler) return;
  PreviousHandler = XSetErrorHandler(IgnoreSendEventToGoneWindow);
}
