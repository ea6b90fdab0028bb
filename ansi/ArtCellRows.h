#pragma once

#include <span>

#include "ansi/ArtPicture.h"
#include "console/CellPicture.h"

// A picture read from an art file as the rows a PNG picture is drawn from,
// and the look its cells are drawn in.

// The picture's cells row by row, at least one row. With ice false,
// attribute bit 7 makes the foreground blink, which a still picture cannot
// show: those cells are drawn on the dark background, as the art converters
// draw blinking art.
class TArtRows final : public TCellRows {
 public:
  TArtRows(const TArtPicture& picture, bool ice) : Picture(picture), Ice(ice) {}
  int Columns() const override { return Picture.Width(); }
  int Rows() const override;
  void ReadRow(int y, std::span<TScreenChar> cells) const override;
  bool HasTrueColor() const override { return Picture.HasTrueColor(); }
  void ReadTrueColorRow(int y, std::span<TCellRgb> colors) const override;

 private:
  const TArtPicture& Picture;
  const bool Ice;
};

// How picture's cells look: in the file's own font and palette where it
// carries them, else in sheet and palette; 9 pixels wide when the record
// asks for 9-pixel letter spacing (a file's own font is always 8 wide).
TCellLook ArtLook(const TArtPicture& picture, TGlyphBits sheet, const TPalette& palette);

// The window's glyph sheet for a picture that carries no font of its own:
// the 8x8 one (80x50 text mode) for a record that names an 8-pixel-high
// font ("IBM VGA50", "IBM EGA43", the 8x8 fonts of other machines), else
// the 8x16 one.
const char* ArtSheetFile(const TArtHints& hints);
