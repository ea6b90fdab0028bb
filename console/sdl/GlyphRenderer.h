#pragma once

#include <SDL.h>

#include <array>
#include <cstdint>
#include <vector>

// Draws character cells into 32-bit 0x00RRGGBB surfaces from a glyph sheet
// (16 x 16 glyphs, lit pixels on black). The glyphs are stretched once to the
// current cell size and cached, so drawing a cell is a plain loop over
// pixels, not a scaled and colour-modulated blit.
class TGlyphRenderer {
 public:
  // Takes the sheet's pixels (any SDL format). False for a sheet smaller than
  // 16 x 16 pixels. Leaves the cell size at the sheet's glyph size.
  bool SetSheet(SDL_Surface* sheet);
  int GlyphWidth() const { return SheetW / 16; }
  int GlyphHeight() const { return SheetH / 16; }

  // Stretches every glyph to w x h pixels (nearest sample).
  void SetCellSize(int w, int h);
  int CellWidth() const { return CellW; }
  int CellHeight() const { return CellH; }

  // One cell at pixel (px, py) of a 32-bit target: lit glyph pixels are the
  // sheet colour multiplied by the foreground colour (white gives exactly the
  // foreground), the rest the background colour. The cell must lie inside
  // the target.
  void DrawCell(SDL_Surface* target, int px, int py, uint8_t ch, uint8_t attr) const;
  // Glyph ch in the sheet's own colours; unlit pixels leave the target as it is.
  void DrawKeyed(SDL_Surface* target, int px, int py, uint8_t ch) const;

 private:
  std::vector<uint32_t> Sheet;  // 0x00RRGGBB, SheetW x SheetH
  int SheetW = 0, SheetH = 0;
  std::array<SDL_Rect, 256> Rects{};  // source rectangle of every glyph
  // Every lit pixel of the sheet is pure white: cells are a select between
  // two colours and Masks holds all-ones or zero per pixel.
  bool TwoTone = true;
  int CellW = 0, CellH = 0;
  std::vector<uint32_t> Masks;  // 256 glyphs x CellH x CellW
  // Cells 8 pixels wide (the sheets' own width) of a two-tone sheet: one byte
  // per glyph row (bit 7 = leftmost pixel) and the 8-pixel mask of every
  // byte. Both fit the first-level cache, and a row is a fixed 8-pixel select.
  std::vector<uint8_t> RowBits;  // 256 glyphs x CellH
  std::array<std::array<uint32_t, 8>, 256> ByteMasks{};
};
