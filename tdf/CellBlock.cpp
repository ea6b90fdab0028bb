#include "tdf/CellBlock.h"

#include <algorithm>
#include <utility>

#include "tdf/OutlineStyles.h"

namespace {

constexpr int kMaxGlyphSide = 255;

// A cell as it looks in a font of type to after coming from one of type from.
TEditCell ConvertedCell(const TEditCell& cell, uint8_t from, uint8_t to,
                        const TFontDrawStyle& look) {
  if (!cell.Defined || from == to) return cell;
  TEditCell out = cell;
  if (from == ftOutline) out.Ch = OutlineCellChar(look.Outline, cell.Ch);
  if (to != ftColor) {
    out.Attr = 0;
  } else if (from != ftColor) {
    out.Attr = look.Attr;
  }
  return out;
}

}  // namespace

TCellRect RectBetween(int column1, int row1, int column2, int row2) {
  return {std::min(column1, column2), std::min(row1, row2), std::max(column1, column2),
          std::max(row1, row2)};
}

TCellRect ClippedRect(const TCellRect& rect, const TGlyphPicture& picture) {
  return {std::max(rect.Left, 0), std::max(rect.Top, 0),
          std::min(rect.Right, picture.Columns() - 1), std::min(rect.Bottom, picture.Lines() - 1)};
}

TGlyphPiece CopyBlock(const TGlyphPicture& picture, const TCellRect& rect, uint8_t fontType) {
  TGlyphPiece block{fontType, {}};
  const TCellRect on = ClippedRect(rect, picture);
  if (on.Empty()) return block;
  for (int r = on.Top; r <= on.Bottom; ++r) {
    const auto& row = picture.Cells[r];
    block.Cells.emplace_back(row.begin() + on.Left, row.begin() + on.Right + 1);
  }
  return block;
}

TGlyphPiece FlippedBlock(const TGlyphPiece& block, TFlip flip) {
  TGlyphPiece out = block;
  if (flip == TFlip::Horizontal) {
    for (auto& row : out.Cells) std::reverse(row.begin(), row.end());
  } else {
    std::reverse(out.Cells.begin(), out.Cells.end());
  }
  for (auto& row : out.Cells)
    for (TEditCell& cell : row)
      if (cell.Defined) cell.Ch = MirroredCell(cell.Ch, flip, block.FontType);
  return out;
}

TGlyphPiece ConvertedBlock(const TGlyphPiece& block, uint8_t fontType, const TFontDrawStyle& look) {
  TGlyphPiece out{fontType, block.Cells};
  for (auto& row : out.Cells)
    for (TEditCell& cell : row) cell = ConvertedCell(cell, block.FontType, fontType, look);
  return out;
}

TGlyphPicture PictureFromBlock(const TGlyphPiece& block) {
  const int columns = std::clamp(block.Columns(), 1, kMaxGlyphSide);
  const int lines = std::clamp(block.Lines(), 1, kMaxGlyphSide);
  TGlyphPicture picture;
  picture.Width = static_cast<uint8_t>(columns);
  picture.Height = static_cast<uint8_t>(lines);
  picture.Cells.assign(static_cast<size_t>(lines),
                       std::vector<TEditCell>(static_cast<size_t>(columns)));
  for (int r = 0; r < std::min(lines, block.Lines()); ++r)
    for (int c = 0; c < std::min(columns, block.Columns()); ++c)
      picture.Cells[r][c] = block.Cells[r][c];
  return picture;
}
