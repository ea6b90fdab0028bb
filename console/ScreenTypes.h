#pragma once

#include <cstdint>
#include <vector>

// One character cell: a code-page-437 character and its attribute
// (foreground in bits 0-3, background in bits 4-7, bit 7 a bright background,
// or in blink mode a blinking foreground over the dark background).
struct TScreenChar {
  uint8_t Ch = 0;
  uint8_t Attr = 0;
  friend bool operator==(const TScreenChar&, const TScreenChar&) = default;
};

// Whether a cell of this attribute blinks: only in blink mode, and then it
// is drawn over the dark background, attr & 0x7F.
constexpr bool IsBlinking(uint8_t attr, bool blinkMode) {
  return blinkMode && (attr & 0x80) != 0;
}

// A rectangle of cells, such as a block marked with the mouse: 1-based
// columns and rows, corners included.
struct TCellBlock {
  int Left = 1, Top = 1, Right = 1, Bottom = 1;
  friend bool operator==(const TCellBlock&, const TCellBlock&) = default;
};

struct TScreenGeometry {
  uint8_t Cols;
  uint8_t Rows;
  const char* SheetFile;
};

// Modes 1..3: 80x25, 80x50, 132x50. Any other value falls back to mode 1.
TScreenGeometry GeometryForMode(uint8_t mode);
