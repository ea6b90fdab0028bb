#include "console/sdl/X11WindowState.h"

#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

std::optional<bool> WindowManagerFullscreen(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
    return std::nullopt;
  Display* const display = info.info.x11.display;
  const Atom state = XInternAtom(display, "_NET_WM_STATE", False);
  const Atom fullscreen = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, info.info.x11.window, state, 0, 64, False, XA_ATOM, &type,
                         &format, &count, &after, &data) != Success)
    return std::nullopt;
  // Without a window manager the property is missing altogether.
  std::optional<bool> result;
  if (type == XA_ATOM && format == 32 && data) {
    const auto* atoms = reinterpret_cast<const Atom*>(data);
    result = false;
    for (unsigned long i = 0; i < count; ++i)
      if (atoms[i] == fullscreen) result = true;
  }
  if (data) XFree(data);
  return result;
}
