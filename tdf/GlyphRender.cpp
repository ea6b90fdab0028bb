#include "tdf/GlyphRender.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "console/ConsoleLayer.h"
#include "tdf/FontFile.h"
#include "tdf/FontFileAccess.h"
#include "tdf/OutlineStyles.h"
#include "tdf/TdfFormat.h"

namespace {

constexpr int kLastDrawableColumn = 79;  // column 80 is never written by a glyph
constexpr int kLastRow = 25;

bool IsRowEnd(uint8_t b) { return b == 13; }

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
    if (c == 0) return i + 1;
    if (IsRowEnd(c)) {
      rowEnd();
      continue;
    }
    if (IsAmpersandMarker(stream, i)) continue;
    uint8_t attr = 0;
    if (color) {
      if (i + 1 >= stream.size()) break;  // a cell without its attribute ends the glyph
      attr = stream[++i];
    }
    cell(c, attr);
  }
  return std::nullopt;
}

uint8_t DrawGlyph(int x, int y, uint8_t ch, uint8_t fontType) {
  if (!MarkerValid(CurrentHeader)) return 0;
  if (ch == ' ') return 1;
  if (ch < kFirstGlyphChar || ch > kLastGlyphChar) return 1;
  std::vector<uint8_t> cells;
  switch (ReadGlyphRecord(ch, GlyphSize, cells)) {
    case TGlyphRead::OpenFailed:
      ConWriteLn("Error Opening File!");
      return 0;
    case TGlyphRead::Absent:
      return 1;
    case TGlyphRead::Found:
      break;
  }
  // A band that wrapped below the screen would otherwise be clamped onto the
  // last row and wipe what the band above drew there; the pen still advances.
  if (y <= kLastRow) DrawGlyphCells(x, y, cells, fontType);
  return GlyphSize.Width;
}

}  // namespace

TGlyphRead ReadGlyphRecord(uint8_t ch, TFontChar& size, std::vector<uint8_t>& stream) {
  if (ch < kFirstGlyphChar || ch > kLastGlyphChar) return TGlyphRead::Absent;
  const std::optional<uint16_t> found = GlyphOffsetInBlock(CurrentHeader, ch - kFirstGlyphChar);
  if (!found) return TGlyphRead::Absent;
  const uint16_t offset = *found;
  const uint16_t blockSize = BlockSizeOf(CurrentHeader);
  if (CurrentFont < 1 || static_cast<size_t>(CurrentFont) >= Fonts.size()) return TGlyphRead::Absent;

  std::vector<uint8_t> record;
  const int64_t blockStart = static_cast<int64_t>(Fonts[CurrentFont].Offset) + kFontHeaderSize;
  if (!ReadFontFileRange(FontFileName, blockStart + offset, blockSize - offset, record)) {
    return TGlyphRead::OpenFailed;
  }
  if (record.size() >= 1) size.Width = record[0];
  if (record.size() >= 2) size.Height = record[1];
  if (record.size() < 2) return TGlyphRead::Absent;
  stream.assign(record.begin() + 2, record.end());
  return TGlyphRead::Found;
}

TGlyphRows GlyphCellRows(std::span<const uint8_t> stream, uint8_t fontType) {
  TGlyphRows rows(1);
  const auto cell = [&rows](uint8_t c, uint8_t attr) { rows.back().push_back({c, attr}); };
  WalkGlyphStream(stream, fontType, cell, [&rows] { rows.emplace_back(); });
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

void DrawGlyphCells(int x, int y, std::span<const uint8_t> cells, uint8_t fontType) {
  const TGlyphRows rows = GlyphCellRows(cells, fontType);
  GotoXY(x, y);
  for (size_t r = 0; r < rows.size(); ++r) {
    if (r > 0) {
      const int next = WhereY() + 1;
      if (next > kLastRow) return;
      GotoXY(x, next);
    }
    for (const TGlyphCell& cell : rows[r]) {
      if (fontType == ftColor) SetTextAttr(cell.Attr);
      // Cells are stored as glyphs: a cell byte 8 or 10 is a picture, not a cursor move.
      if (WhereX() <= kLastDrawableColumn)
        WriteRawChar(fontType == ftOutline ? OutlineCellChar(OutlineStyle, cell.Ch) : cell.Ch);
    }
  }
}

uint8_t DrawBlockGlyph(int x, int y, uint8_t ch) { return DrawGlyph(x, y, ch, ftBlock); }

uint8_t DrawColorGlyph(int x, int y, uint8_t ch) { return DrawGlyph(x, y, ch, ftColor); }

uint8_t DrawOutlineGlyph(int x, int y, uint8_t ch) { return DrawGlyph(x, y, ch, ftOutline); }

void DrawFontText(int x, int y, std::string_view text) {
  GotoXY(x, y);
  int column = x & 0xFF;
  int row = y & 0xFF;
  uint8_t (*drawGlyph)(int, int, uint8_t) = nullptr;
  if (CurrentHeader.FontType == ftBlock) drawGlyph = DrawBlockGlyph;
  if (CurrentHeader.FontType == ftColor) drawGlyph = DrawColorGlyph;
  if (CurrentHeader.FontType == ftOutline) drawGlyph = DrawOutlineGlyph;
  if (!drawGlyph) return;
  for (char ch : text) {
    const uint8_t width = drawGlyph(column, row, static_cast<uint8_t>(ch));
    column = (column + width + CurrentHeader.Spacing) % 256;
    // The wrap test adds the starting column again: text started further
    // right wraps earlier, as the sample always has.
    if (column + x >= 80) {
      column = 1;
      row = (row + GlyphSize.Height + 1) % 256;
      GotoXY(column, row);
    }
  }
}
