#include "console/sdl/Clipboard.h"

#include <SDL.h>

bool PutClipboardText(const std::string& utf8) {
  return SDL_SetClipboardText(utf8.c_str()) == 0;
}

std::string GetClipboardText() {
  char* text = SDL_GetClipboardText();
  if (!text) return {};
  std::string result(text);
  SDL_free(text);
  return result;
}
