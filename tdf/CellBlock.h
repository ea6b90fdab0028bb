#pragma once

#include <cstdint>

#include "tdf/CellMirror.h"
#include "tdf/GlyphPicture.h"
#include "tdf/GlyphRender.h"
#include "tdf/TdfFormat.h"

// Blocks of glyph cells: what the editor's selection copies, cuts, flips and
// pastes. A block is a plain value that outlives the glyph and the font it
// came from, so the screen keeps one as its clipboard for the whole session
// and parts move between glyphs and between fonts.

// A rectangle of cells, 0-based, both corners included; Right < Left or
// Bottom < Top holds no cell.
struct TCellRect {
  int Left = 0;
  int Top = 0;
  int Right = -1;
  int Bottom = -1;

  int Columns() const { return Right - Left + 1; }
  int Lines() const { return Bottom - Top + 1; }
  bool Empty() const { return Right < Left || Bottom < Top; }
  friend bool operator==(const TCellRect&, const TCellRect&) = default;
};

// The rectangle between two corner cells given in any order: a selection
// from where it started to where the cursor is.
TCellRect RectBetween(int column1, int row1, int column2, int row2);
// The part of rect that lies on the picture's cells (overhang included).
TCellRect ClippedRect(const TCellRect& rect, const TGlyphPicture& picture);

// Cells with their definedness and colour, and the type of the font they are
// in: Outline cells hold role letters, Block cells carry no colour.
struct TGlyphPiece {
  uint8_t FontType = ftBlock;
  TEditRows Cells;

  int Columns() const { return Cells.empty() ? 0 : static_cast<int>(Cells[0].size()); }
  int Lines() const { return static_cast<int>(Cells.size()); }
  bool Empty() const { return Cells.empty() || Cells[0].empty(); }
  friend bool operator==(const TGlyphPiece&, const TGlyphPiece&) = default;
};

// The cells of rect that lie on the picture (empty when none does); fontType
// is the type of the picture's font.
TGlyphPiece CopyBlock(const TGlyphPicture& picture, const TCellRect& rect, uint8_t fontType);

// The block turned left to right or upside down, every cell mirrored as well
// (MirroredCell: ▌ becomes ▐, an Outline left edge a right edge).
TGlyphPiece FlippedBlock(const TGlyphPiece& block, TFlip flip);

// The block as a font of fontType holds it. From an Outline font, role
// letters become the characters they draw in look.Outline (blank roles a
// space); into a Color font, cells without a colour take look.Attr (the
// colour the screen draws with); into a Block or Outline font, colours go.
// Everything else stays: a block character pasted into an Outline font draws
// as itself there.
TGlyphPiece ConvertedBlock(const TGlyphPiece& block, uint8_t fontType, const TFontDrawStyle& look);

// A picture of exactly the block: Width and Height are its size, cut to 255.
TGlyphPicture PictureFromBlock(const TGlyphPiece& block);
