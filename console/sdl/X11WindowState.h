#pragma once

#include <SDL.h>

#include <optional>

// Whether the window manager shows the window fullscreen, read from the
// window's _NET_WM_STATE. SDL only knows the switches it made itself, not one
// the window manager made on its own (its own key, a pager) or refused.
// Nothing when the window is not an X11 window or no window manager keeps
// that state for it.
std::optional<bool> WindowManagerFullscreen(SDL_Window* window);
