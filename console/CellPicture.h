#pragma once

#include <span>
#include <string>

#include "console/CellRaster.h"
#include "console/GlyphBits.h"
#include "console/Palette.h"
#include "console/ScreenTypes.h"
#include "util/Files.h"

// Pictures of character cells as PNG files, drawn one text row at a time
// and written as they are drawn: memory stays the size of one row of cells
// however long the picture.

// The cells a picture is drawn from, row by row.
class TCellRows {
 public:
  virtual ~TCellRows() = default;
  virtual int Columns() const = 0;
  virtual int Rows() const = 0;
  // Row y (from 0) into cells, Columns() of them.
  virtual void ReadRow(int y, std::span<TScreenChar> cells) const = 0;
  // Pictures in 24-bit colour (their attributes then hold the nearest
  // palette colours) answer true and give each cell's exact colours.
  virtual bool HasTrueColor() const { return false; }
  virtual void ReadTrueColorRow(int y, std::span<TCellRgb> colors) const;
};

// How the cells look: the glyphs, the cell width (8, or 9 as the VGA draws
// it), the colours of the attributes, and whether the picture is stretched
// to the tall pixels of a 4:3 screen (TallPixelsHeight: 1.35 times as high).
struct TCellLook {
  TGlyphBits Font;
  int CellWidth = 8;
  TPalette Palette = kClassicPalette;
  bool TallPixels = false;
};

// Writes the picture as a PNG file through sink: 4-bit paletted in the
// look's palette; a picture in 24-bit colour 4- or 8-bit paletted when it
// shows at most 16 or 256 colours, else RGB; a stretched picture RGB, since
// its softened edges mix colours. False with the reason in why
// (nothing to draw, a sink that failed, libpng's complaint).
bool WriteCellPicturePng(const TCellRows& rows, const TCellLook& look, const TByteSink& sink,
                         std::string& why);
