#pragma once

#include <cstdint>

// What a glyph cell shows after its block is flipped. Half blocks, box
// pieces, arrows and the slanted ASCII characters have a mirror image in
// code page 437 and turn into it; a character without one (a letter, a
// shade, a full block) stays as it is. Outline fonts store roles, not
// characters: their role letters turn into the role on the other side (a
// left edge becomes a right edge, a top-left corner a top-right one), so the
// flipped glyph draws mirrored in every style.

enum class TFlip : uint8_t {
  Horizontal,  // left and right change places
  Vertical,    // top and bottom change places
};

uint8_t MirroredCell(uint8_t ch, TFlip flip, uint8_t fontType);
