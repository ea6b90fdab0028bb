#pragma once

#include <SDL.h>

#include <array>
#include <cstdint>
#include <vector>

#include "console/GlyphBits.h"
#include "console/Palette.h"

// Draws character cells into 32-bit 0x00RRGGBB surfaces from glyph bits (a
// glyph sheet as console/GlyphSheet.h reads it, the same bits the PNG
// pictures are drawn from). The glyphs are stretched once to the current
// cell size and cached, so drawing a cell is a plain loop over pixels, not a
// scaled and colour-modulated blit. With 512 glyphs, bit 3 of a cell's
// attribute draws from the second 256.
class TGlyphRenderer {
 public:
  TGlyphRenderer();

  // Takes a copy of 256 or 512 glyphs; false for any other font. Leaves the
  // cell size at the glyphs' own.
  bool SetGlyphs(const TGlyphFont& glyphs);
  // The colours cells are drawn in (the console's palette to start with).
  void SetPalette(const TPalette& palette);

  // Stretches every glyph to w x h pixels (nearest sample).
  void SetCellSize(int w, int h);
  int CellWidth() const { return CellW; }
  int CellHeight() const { return CellH; }

  // One cell at pixel (px, py) of a 32-bit target: lit glyph pixels in the
  // foreground colour, the rest in the background colour. The cell must lie
  // inside the target.
  void DrawCell(SDL_Surface* target, int px, int py, uint8_t ch, uint8_t attr) const;
  // Glyph ch in white; unlit pixels leave the target as it is.
  void DrawKeyed(SDL_Surface* target, int px, int py, uint8_t ch) const;

 private:
  // The glyph of ch in a cell of attribute attr.
  size_t GlyphIndex(uint8_t ch, uint8_t attr) const {
    return Glyphs.Count == 512 && (attr & 8) != 0 ? size_t{256} + ch : ch;
  }

  TGlyphFont Glyphs;
  std::array<uint32_t, 16> Colors{};  // packed 0x00RRGGBB
  int CellW = 0, CellH = 0;
  std::vector<uint32_t> Masks;  // Count glyphs x CellH x CellW, all ones where lit
  // Cells 8 pixels wide (the glyphs' own width): one byte per glyph row
  // (bit 7 = leftmost pixel) and the 8-pixel mask of every byte. Both fit
  // the first-level cache, and a row is a fixed 8-pixel select.
  std::vector<uint8_t> RowBits;  // Count glyphs x CellH
  std::array<std::array<uint32_t, 8>, 256> ByteMasks{};
};
