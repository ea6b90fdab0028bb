#include "tdf/GlyphRender.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "console/TextConsole.h"
#include "tdf/FontFile.h"
#include "tdf/OutlineStyles.h"
#include "tdf/TdfFormat.h"

namespace {

constexpr int kLastDrawableColumn = 79;  // column 80 is never written by a glyph
constexpr int kLastRow = 25;

constexpr uint8_t kRowEnd = 13;

// Many Color fonts put '&' right before a row end or the glyph end as a
// marker without an attribute byte; taken as a cell it would swallow the 13
// or 0 and run the glyph on into the next one.
bool IsAmpersandMarker(std::span<const uint8_t> cells, size_t i) {
  return cells[i] == '&' && i + 1 < cells.size() && (cells[i + 1] == 13 || cells[i + 1] == 0);
}

// Reads stream as a glyph's cells, handing every drawn cell to cell(ch, attr)
// and every row end to rowEnd(): one past the 0 that ends the glyph, or
// nullopt when the stream runs out first. The one reading of a cell stream,
// so drawing and rewriting a block agree on where a glyph ends.
template <typename OnCell, typename OnRowEnd>
std::optional<size_t> WalkGlyphStream(std::span<const uint8_t> stream, uint8_t fontType,
                                      OnCell cell, OnRowEnd rowEnd) {
  const bool color = fontType == ftColor;
  for (size_t i = 0; i < stream.size(); ++i) {
    const uint8_t c = stream[i];
    // One switch rather than a test for each: this loop runs for every
    // byte of every glyph drawn.
    switch (c) {
      case 0:
        return i + 1;
      case kRowEnd:
        rowEnd();
        continue;
      case '&':
        if (IsAmpersandMarker(stream, i)) continue;
        break;
      default:
        break;
    }
    uint8_t attr = 0;
    if (color) {
      if (i + 1 >= stream.size()) break;  // a cell without its attribute ends the glyph
      attr = stream[++i];
    }
    cell(c, attr);
  }
  return std::nullopt;
}

// The record of ch in the selected font's glyph block, from its Width to the
// end of the bytes held (fewer than BlockSize in a file cut short); empty
// when the font has no glyph there.
std::span<const uint8_t> GlyphRecordBytes(const TFontFile& font, uint8_t ch) {
  if (ch < kFirstGlyphChar || ch > kLastGlyphChar) return {};
  const std::optional<uint16_t> offset = GlyphOffsetInBlock(font.Header, ch - kFirstGlyphChar);
  const size_t end = std::min<size_t>(font.Block.size(), BlockSizeOf(font.Header));
  if (!offset || *offset >= end) return {};
  return std::span(font.Block).subspan(*offset, end - *offset);
}

// Draws glyph ch of font at (x, y) as a glyph of fontType and answers its
// advance; size takes the Width and Height of a record that was read.
uint8_t DrawGlyph(TTextConsole& screen, const TFontFile& font, int x, int y, uint8_t ch,
                  uint8_t fontType, const TFontDrawStyle& style, TFontChar& size) {
  if (!MarkerValid(font.Header)) return 0;
  if (ch == ' ') return 1;
  // Read in place: a copy would take every byte to the end of the block.
  const std::span<const uint8_t> record = GlyphRecordBytes(font, ch);
  if (record.empty()) return 1;
  size.Width = record[0];
  if (record.size() < 2) return 1;
  size.Height = record[1];
  // A band that wrapped below the screen would otherwise be clamped onto the
  // last row and wipe what the band above drew there; the pen still advances.
  if (y <= kLastRow) DrawGlyphCells(screen, x, y, record.subspan(2), fontType, style);
  return size.Width;
}

}  // namespace

TGlyphRead ReadGlyphRecord(const TFontFile& font, uint8_t ch, TFontChar& size,
                           std::vector<uint8_t>& stream) {
  const std::span<const uint8_t> record = GlyphRecordBytes(font, ch);
  if (record.empty()) return TGlyphRead::Absent;
  size.Width = record[0];
  if (record.size() < 2) return TGlyphRead::Absent;
  size.Height = record[1];
  stream.assign(record.begin() + 2, record.end());
  return TGlyphRead::Found;
}

TGlyphRows GlyphCellRows(std::span<const uint8_t> stream, uint8_t fontType) {
  // Read into one run of cells first, so that every row is allocated once: a
  // row grown cell by cell is allocated again each time it doubles.
  std::vector<TGlyphCell> cells;
  // A stream holds at most a cell per byte; most glyphs hold a few hundred.
  cells.reserve(std::min<size_t>(stream.size(), 1024));
  std::vector<size_t> rowEnds;
  WalkGlyphStream(
      stream, fontType,
      [&cells](uint8_t c, uint8_t attr) {
        cells.push_back({c, attr});
      },
      [&] { rowEnds.push_back(cells.size()); });
  rowEnds.push_back(cells.size());
  TGlyphRows rows(rowEnds.size());
  for (size_t r = 0, start = 0; r < rows.size(); start = rowEnds[r++])
    rows[r].assign(cells.begin() + static_cast<std::ptrdiff_t>(start),
                   cells.begin() + static_cast<std::ptrdiff_t>(rowEnds[r]));
  return rows;
}

std::optional<size_t> GlyphStreamEnd(std::span<const uint8_t> stream, uint8_t fontType) {
  const auto ignore = [](auto...) {};
  return WalkGlyphStream(stream, fontType, ignore, ignore);
}

std::optional<uint16_t> GlyphOffsetInBlock(const TFontHeader& header, int index) {
  const uint16_t offset = GlyphOffsetOf(header, index);
  // A glyph that starts outside its own block belongs to nothing: treat it as absent.
  if (offset == kAbsentGlyph || offset >= BlockSizeOf(header)) return std::nullopt;
  return offset;
}

TGlyphDrawing GlyphDrawingOf(const TFontHeader& header, std::span<const uint8_t> block, int index) {
  const std::optional<uint16_t> offset = GlyphOffsetInBlock(header, index);
  const size_t end = std::min<size_t>(block.size(), BlockSizeOf(header));
  if (!offset || *offset + size_t{2} > end) return {};
  const std::span<const uint8_t> record = block.subspan(*offset, end - *offset);
  return {true, record[0], record[1], GlyphCellRows(record.subspan(2), header.FontType)};
}

TScreenChar DrawnGlyphCell(TGlyphCell cell, uint8_t fontType, const TFontDrawStyle& style) {
  return {fontType == ftOutline ? OutlineCellChar(style.Outline, cell.Ch) : cell.Ch,
          fontType == ftColor ? cell.Attr : style.Attr};
}

void DrawGlyphCells(TTextConsole& screen, int x, int y, std::span<const uint8_t> cells,
                    uint8_t fontType, const TFontDrawStyle& style) {
  screen.GotoXY(x, y);
  if (fontType != ftColor) screen.SetTextAttr(style.Attr);
  // Drawn as the stream is read, without taking its rows apart first.
  bool below = false;  // a row end went past the last row: nothing more is drawn
  const auto cell = [&](uint8_t c, uint8_t attr) {
    if (below) return;
    if (fontType == ftColor) screen.SetTextAttr(attr);
    // Cells are stored as glyphs: a cell byte 8 or 10 is a picture, not a cursor move.
    if (screen.WhereX() <= kLastDrawableColumn)
      screen.WriteRawChar(DrawnGlyphCell({c, attr}, fontType, style).Ch);
  };
  const auto rowEnd = [&] {
    if (below) return;
    const int next = screen.WhereY() + 1;
    if (next > kLastRow) {
      below = true;
      return;
    }
    screen.GotoXY(x, next);
  };
  WalkGlyphStream(cells, fontType, cell, rowEnd);
}

uint8_t DrawBlockGlyph(TTextConsole& screen, const TFontFile& font, int x, int y, uint8_t ch,
                       const TFontDrawStyle& style) {
  TFontChar size;
  return DrawGlyph(screen, font, x, y, ch, ftBlock, style, size);
}

uint8_t DrawColorGlyph(TTextConsole& screen, const TFontFile& font, int x, int y, uint8_t ch,
                       const TFontDrawStyle& style) {
  TFontChar size;
  return DrawGlyph(screen, font, x, y, ch, ftColor, style, size);
}

uint8_t DrawOutlineGlyph(TTextConsole& screen, const TFontFile& font, int x, int y, uint8_t ch,
                         const TFontDrawStyle& style) {
  TFontChar size;
  return DrawGlyph(screen, font, x, y, ch, ftOutline, style, size);
}

TFontChar DrawFontText(TTextConsole& screen, const TFontFile& font, int x, int y,
                       std::string_view text, const TFontDrawStyle& style) {
  screen.GotoXY(x, y);
  int column = x & 0xFF;
  int row = y & 0xFF;
  TFontChar last;  // the glyph read last sets how far a wrapped band drops
  const uint8_t type = font.Header.FontType;
  if (type != ftBlock && type != ftColor && type != ftOutline) return last;
  for (char ch : text) {
    const uint8_t width =
        DrawGlyph(screen, font, column, row, static_cast<uint8_t>(ch), type, style, last);
    column = (column + width + font.Header.Spacing) % 256;
    // The wrap test adds the starting column again: text started further
    // right wraps earlier, as the sample always has.
    if (column + x >= 80) {
      column = 1;
      row = (row + last.Height + 1) % 256;
      screen.GotoXY(column, row);
    }
  }
  return last;
}
