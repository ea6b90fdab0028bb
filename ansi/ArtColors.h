#pragma once

#include <cstdint>

#include "console/Palette.h"

// Colour conversions the art formats need.

// A VGA DAC component (6 bits, 0..63) as 8 bits: 21 -> 85, 42 -> 170, 63 -> 255.
// Bytes above 63 are not masked first, as the readers of the scene take them.
constexpr uint8_t Dac6To8(uint8_t v) {
  return static_cast<uint8_t>((v << 2) | (v >> 4));
}

// Colour n of the xterm 256-colour table for n = 16..255: the 6x6x6 cube,
// then 24 greys. (0..15 are the 16 text colours themselves.)
TRgb XtermRgb(uint8_t n);

// The attribute colour (0..15) that shows xterm colour n: 0..15 are the
// ANSI colours 30-37 and their bright forms, the rest the nearest VGA colour.
uint8_t XtermColorIndex(uint8_t n);
