#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "console/ScreenTypes.h"
#include "tdf/TdfFormat.h"

class TTextConsole;
struct TFontFile;

// Draws text with the selected font of a font file onto a screen model. The
// glyphs come from the font's glyph block in memory (SelectFont read it), so
// drawing never touches the disk and writes nothing but glyph cells.

// How Block and Outline fonts are drawn; Color fonts bring their own attributes.
struct TFontDrawStyle {
  uint8_t Attr = 7;     // the attribute of Block and Outline cells
  uint8_t Outline = 0;  // the style Outline cells are drawn in (OutlineCellChar)
};

// Draws text from (x, y): every glyph, then its width and the font's spacing.
// Once the pen plus the starting column reaches 80, the text goes on at
// column 1, the last glyph's height plus one row lower. A font of another
// type, or one whose header has no valid marker, draws nothing. Answers the
// Width and Height of the glyph read last (0 by 0 when there was none).
TFontChar DrawFontText(TTextConsole& screen, const TFontFile& font, int x, int y,
                       std::string_view text, const TFontDrawStyle& style = {});
// Draw one glyph with its top-left cell at (x, y); answer its advance width.
uint8_t DrawBlockGlyph(TTextConsole& screen, const TFontFile& font, int x, int y, uint8_t ch,
                       const TFontDrawStyle& style = {});
uint8_t DrawColorGlyph(TTextConsole& screen, const TFontFile& font, int x, int y, uint8_t ch,
                       const TFontDrawStyle& style = {});
uint8_t DrawOutlineGlyph(TTextConsole& screen, const TFontFile& font, int x, int y, uint8_t ch,
                         const TFontDrawStyle& style = {});

// One drawn cell of a glyph. Block and Outline cells carry attribute 0: they
// are drawn in the style's attribute.
struct TGlyphCell {
  uint8_t Ch = 0;
  uint8_t Attr = 0;
  friend bool operator==(const TGlyphCell&, const TGlyphCell&) = default;
};
using TGlyphRows = std::vector<std::vector<TGlyphCell>>;

// The screen cell a glyph cell of a font of fontType shows: Color cells in
// their own attribute, the others in the style's, Outline cells as the
// style's frame character for their role.
TScreenChar DrawnGlyphCell(TGlyphCell cell, uint8_t fontType, const TFontDrawStyle& style);

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
// ReadGlyphRecord and DrawGlyphCells read it. Never reads outside block.
TGlyphDrawing GlyphDrawingOf(const TFontHeader& header, std::span<const uint8_t> block, int index);

enum class TGlyphRead { Absent, Found };
// Reads the record of ch from the selected font's glyph block: Width and
// Height into size (as far as the record holds them), the cell stream into
// stream.
TGlyphRead ReadGlyphRecord(const TFontFile& font, uint8_t ch, TFontChar& size,
                           std::vector<uint8_t>& stream);

// Plays a glyph's cell stream on screen at (x, y).
void DrawGlyphCells(TTextConsole& screen, int x, int y, std::span<const uint8_t> cells,
                    uint8_t fontType, const TFontDrawStyle& style = {});
