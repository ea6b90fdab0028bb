#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "tdf/TdfFormat.h"

// Draws text with the selected font (CurrentHeader of the font unit) through
// the console layer. Block and Outline fonts draw in the caller's attribute
// (Outline cells through OutlineStyle), Color fonts in their own; a font of
// another type draws nothing. Glyph data is read from the font file for every
// glyph, so the screen always shows what is on disk.

void DrawFontText(int x, int y, std::string_view text);
// Draw one glyph with its top-left cell at (x, y); answer its advance width.
uint8_t DrawBlockGlyph(int x, int y, uint8_t ch);
uint8_t DrawColorGlyph(int x, int y, uint8_t ch);
uint8_t DrawOutlineGlyph(int x, int y, uint8_t ch);

// One drawn cell of a glyph. Block and Outline cells carry attribute 0: they
// are drawn in the caller's attribute.
struct TGlyphCell {
  uint8_t Ch = 0;
  uint8_t Attr = 0;
  friend bool operator==(const TGlyphCell&, const TGlyphCell&) = default;
};
using TGlyphRows = std::vector<std::vector<TGlyphCell>>;

// The cells a glyph's cell stream (the bytes after Width and Height, up to
// the end of the font's glyph block) draws, row by row: every 13 starts a
// row, so a stream holds one row more than it has row ends. Never reads
// outside stream.
TGlyphRows GlyphCellRows(std::span<const uint8_t> stream, uint8_t fontType);

// One past the 0 that ends a glyph's cell stream, read as GlyphCellRows reads
// it; nullopt when the stream runs out first (such a glyph draws on to the
// end of its block).
std::optional<size_t> GlyphStreamEnd(std::span<const uint8_t> stream, uint8_t fontType);

// The offset of glyph index (0..93) when it lies inside the font's block; an
// absent mark ($FFFF) and an offset at or past BlockSize are no glyph.
std::optional<uint16_t> GlyphOffsetInBlock(const TFontHeader& header, int index);

// What glyph index draws: its Width, Height and cells.
struct TGlyphDrawing {
  bool Present = false;
  uint8_t Width = 0;
  uint8_t Height = 0;
  TGlyphRows Rows;
  friend bool operator==(const TGlyphDrawing&, const TGlyphDrawing&) = default;
};
// The drawing of glyph index read from the font's header and the bytes the
// file holds of its glyph block (fewer than BlockSize in a cut file), as
// ReadGlyphRecord and DrawGlyphCells read it from the file. Never reads
// outside block.
TGlyphDrawing GlyphDrawingOf(const TFontHeader& header, std::span<const uint8_t> block, int index);

enum class TGlyphRead { Absent, Found, OpenFailed };
// Reads the record of ch in the selected font: Width and Height into size
// (as far as the record holds them), the cell stream into stream.
TGlyphRead ReadGlyphRecord(uint8_t ch, TFontChar& size, std::vector<uint8_t>& stream);

// Plays a glyph's cell stream at (x, y).
void DrawGlyphCells(int x, int y, std::span<const uint8_t> cells, uint8_t fontType);
