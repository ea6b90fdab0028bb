#include "console/sdl/AlsaMessages.h"

#include <SDL.h>

namespace {

void DropAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

TAlsaMessages::~TAlsaMessages() {
  if (SetHandler) SetHandler(nullptr);
  if (Library) SDL_UnloadObject(Library);
}

void TAlsaMessages::Silence() {
  if (SetHandler) return;
  // The library SDL linked: loading it again only counts one more user.
  Library = SDL_LoadObject("libasound.so.2");
  if (!Library) {
    SDL_ClearError();
    return;
  }
  SetHandler =
      reinterpret_cast<TSetHandler>(SDL_LoadFunction(Library, "snd_lib_error_set_handler"));
  if (SetHandler) SetHandler(DropAlsaMessage);
}
