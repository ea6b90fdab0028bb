// Starts and stops SDL video on X11 the way Brixel does, then provokes an X
// error on a connection of its own after SDL has put back the handler it
// found. "send" sends an event to a destroyed window (what a late SDL wakeup
// does): Brixel's handler must ignore it, so the probe ends with 0. "map"
// maps the destroyed window: that error must still reach Xlib's own handler,
// which ends the process with 1.
#include <SDL.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <cstring>

#include "console/sdl/X11Errors.h"

int main(int argc, char** argv) {
  if (argc != 2 || (std::strcmp(argv[1], "send") != 0 && std::strcmp(argv[1], "map") != 0)) {
    std::fprintf(stderr, "usage: x11_error_probe send|map\n");
    return 2;
  }
  IgnoreLateWakeupErrors();
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "SDL: %s\n", SDL_GetError());
    return 2;
  }
  SDL_Quit();

  Display* display = XOpenDisplay(nullptr);
  if (!display) return 2;
  const Window gone = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 8, 8, 0, 0, 0);
  XDestroyWindow(display, gone);
  if (std::strcmp(argv[1], "send") == 0) {
    XEvent message{};
    message.xclient.type = ClientMessage;
    message.xclient.window = gone;
    message.xclient.format = 32;
    XSendEvent(display, gone, False, NoEventMask, &message);
  } else {
    XMapWindow(display, gone);
  }
  XSync(display, False);  // the error is read and handled here
  XCloseDisplay(display);
  std::puts("survived");
  return 0;
}
