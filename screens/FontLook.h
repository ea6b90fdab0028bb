#pragma once

#include <cstdint>
#include <string>

#include "tdf/GlyphRender.h"

// What the screens that show fonts are lent by whoever opens them (the shell
// keeps these among its settings), so a screen reads no settings of its own.

// How Block and Outline fonts are drawn, and the colour of the status row.
struct TFontLook {
  TFontDrawStyle Style{15, 0};  // the colour of Block and Outline cells, the Outline style
  uint8_t StatusAttr = 0x70;    // the status row (row 1)
};

// The sample text a font is shown with, and its top-left cell.
struct TSample {
  std::string Text;
  int X = 1;
  int Y = 3;
};
