#pragma once

#include <cstdint>

#include "console/Palette.h"

// The colours the window draws with (bit 7 of an attribute is a bright
// background, never blinking).
inline constexpr const TPalette& ConsolePalette = kClassicPalette;

// The colour as a 0x00RRGGBB pixel of the console's 32-bit surfaces.
constexpr uint32_t PackRgb(TRgb c) {
  return (uint32_t{c.R} << 16) | (uint32_t{c.G} << 8) | uint32_t{c.B};
}
