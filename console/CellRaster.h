#pragma once

#include <cstdint>
#include <span>

#include "console/GlyphBits.h"
#include "console/Palette.h"
#include "console/ScreenTypes.h"

// Character cells drawn into pixels without SDL, one text row (a band of
// cell-high pixel rows) at a time, for pictures of any length in little
// memory. Cells are 8 pixels wide, or 9 as the VGA draws them: the ninth
// column repeats the eighth for the line-drawing characters 0xC0-0xDF (so
// their lines join) and is background for every other character.

// A cell's colours as the pixel values of a paletted picture.
struct TCellInk {
  uint8_t Fg = 7;
  uint8_t Bg = 0;
};

// A cell's exact colours, for pictures in 24-bit colour.
struct TCellRgb {
  TRgb Fg;
  TRgb Bg;
  friend bool operator==(const TCellRgb&, const TCellRgb&) = default;
};

// The colours of an attribute: foreground attr & 15, background attr >> 4
// (bit 7 a bright background).
constexpr TCellInk InkOf(uint8_t attr) {
  return {static_cast<uint8_t>(attr & 15), static_cast<uint8_t>(attr >> 4)};
}

class TCellRaster {
 public:
  // font must be Valid() and outlive the raster; cellWidth is 8 or 9
  // (anything else draws 8).
  TCellRaster(TGlyphBits font, int cellWidth);

  int CellWidth() const { return Width; }
  int CellHeight() const { return Font.Height; }

  // Draws cells, each in its ink, as CellHeight() pixel rows of
  // cells.size() * CellWidth() bytes each, one palette index per pixel, row
  // after row into band (which holds at least that many bytes).
  void DrawBand(std::span<const TScreenChar> cells, std::span<const TCellInk> inks,
                std::span<uint8_t> band) const;
  // The same in exact colours: three bytes (R, G, B) per pixel.
  void DrawBandRgb(std::span<const TScreenChar> cells, std::span<const TCellRgb> colors,
                   std::span<uint8_t> band) const;

  // Whether a cell shows any pixel of its foreground / of its background.
  bool ShowsForeground(TScreenChar cell) const;
  bool ShowsBackground(TScreenChar cell) const;

 private:
  // The pixel rows of the cell's glyph (bit 7 leftmost).
  const uint8_t* GlyphOf(TScreenChar cell) const;
  // Whether the ninth column of the cell repeats the eighth.
  static bool ExtendsRight(uint8_t ch) { return ch >= 0xC0 && ch <= 0xDF; }

  TGlyphBits Font;
  int Width;
};
