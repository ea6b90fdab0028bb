#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "console/CellGrid.h"
#include "tdf/GlyphRender.h"
#include "tdf/TdfFormat.h"

struct TFontFile;

// Banners: text laid out with the selected font of a font file on a canvas
// as large as the text needs, for brixel-cli and contact sheets (the window
// keeps drawing on its screen with DrawFontText). Glyphs advance by their
// Width and the font's spacing as in the window; a glyph is never cut: one
// that would cross the width starts the next line, below the tallest glyph
// of the banner and one blank row, as the window wraps.

enum class TJustify : uint8_t { Left, Center, Right };

struct TBannerStyle {
  // The columns a line may take; 0: no limit. A glyph wider than this
  // stands alone on its line, and the canvas grows to hold it.
  int Width = 80;
  TJustify Justify = TJustify::Left;
  // A letter the font lacks in its case is drawn with its other case's glyph.
  bool CaseFallback = true;
  TFontDrawStyle Draw;  // the attribute and outline style of Block and Outline fonts
};

// Where a glyph went.
struct TPlacedGlyph {
  int X = 0;  // its top-left cell on the canvas
  int Y = 0;
  uint8_t Ch = 0;  // the character whose glyph was drawn (after the case fallback)
};

struct TBanner {
  // Exactly the rows and columns in use: the lines' glyph boxes, lines
  // moved right as justified. Empty when no glyph was drawn.
  TCellGrid Canvas;
  std::vector<TPlacedGlyph> Glyphs;  // in drawing order
  // Every character but the space that no glyph could be drawn for, once
  // each, in the order met (code page 437, as the text).
  std::string Missing;
};

// The room a glyph takes in a banner: its Width and Height, or more where its
// cells run past them (common in real fonts).
struct TGlyphExtent {
  int Columns = 0;
  int Rows = 0;
};
TGlyphExtent GlyphExtentOf(const TGlyphDrawing& drawing);

// Lays text out, a line for each of lines and for each '\n' in them (a CR
// before it is dropped). Spaces advance one column plus the spacing and are
// dropped at the start of a line made by wrapping; a character without a
// glyph advances as a space does. A font of unknown type or without a valid
// header draws nothing.
TBanner LayOutBanner(const TFontFile& font, std::span<const std::string> lines,
                     const TBannerStyle& style);

// The character whose glyph draws ch: ch itself when the font has a glyph
// for it, the same letter in the other case when that is had instead (with
// caseFallback), else 0.
uint8_t GlyphCharFor(const TFontHeader& header, uint8_t ch, bool caseFallback);
// Whether the font has a glyph to draw every character of text but the
// space, as GlyphCharFor finds them.
bool CanDrawEveryChar(const TFontHeader& header, std::string_view text, bool caseFallback);
