#pragma once

#include <SDL.h>

#include <array>
#include <cstdint>
#include <string_view>

// One row of the table for keys whose bytes depend only on the modifier:
// digits and punctuation of a US keyboard. Key is the SDL key code, which for
// these keys is the character code of the unshifted key.
struct TSDLKeyMap {
  uint16_t Key;
  std::string_view Normal;
  std::string_view Shift;
  std::string_view Alt;
  std::string_view Ctrl;
};

extern const std::array<TSDLKeyMap, 21> SDLKeyMap;

enum TKeyAction : uint8_t {
  kaNone,              // the key stores nothing
  kaBytes,             // store Bytes as they are
  kaExtended,          // store 0 and then Code
  kaToggleFullscreen,  // Alt+Enter
  kaQuit,              // Ctrl+Alt+C: end the program at once
};

struct TKeyResult {
  TKeyAction Action = kaNone;
  std::string_view Bytes;  // for kaBytes (points into static data)
  uint8_t Code = 0;        // for kaExtended
};

// What a key press means, from its key code and the modifier state carried by
// the event itself (pushed events do not change SDL's global keyboard state).
TKeyResult TranslateKey(SDL_Keycode key, uint16_t mod);
