#include "tdf/GlyphEdit.h"

#include <algorithm>
#include <utility>

#include "tdf/FontFile.h"
#include "tdf/GlyphBlockCompact.h"

namespace {

constexpr uint8_t kRowEnd = 13;
constexpr uint8_t kHoleAttr = 7;

// One past the last defined cell of a row (0 for a row without one).
int RowEnd(const std::vector<TEditCell>& row) {
  for (int c = static_cast<int>(row.size()); c > 0; --c)
    if (row[c - 1].Defined) return c;
  return 0;
}

TGlyphPicture Reshaped(TGlyphPicture to, int columns, int lines) {
  to.Cells.resize(static_cast<size_t>(lines));
  for (auto& row : to.Cells) row.resize(static_cast<size_t>(columns));
  return to;
}

constexpr int kMaxGlyphSide = 255;

// A cell as a font of fontType stores it: Block and Outline cells take the
// colour they are drawn in, an undefined cell holds nothing, and a cell that
// would not read back as itself is a space in its colour (as EncodeGlyph
// writes it).
TEditCell StoredCell(const TEditCell& cell, uint8_t fontType) {
  if (!cell.Defined) return {};
  const uint8_t attr = fontType == ftColor ? cell.Attr : uint8_t{0};
  return {true, CellStorable(cell.Ch, attr, fontType) ? cell.Ch : uint8_t{' '}, attr};
}

// One past the last column and row of block holding a defined cell.
std::pair<int, int> DefinedExtent(const TGlyphPiece& block) {
  int columns = 0, lines = 0;
  for (int r = 0; r < block.Lines(); ++r) {
    if (const int end = RowEnd(block.Cells[r]); end > 0) {
      columns = std::max(columns, end);
      lines = r + 1;
    }
  }
  return {columns, lines};
}

// The picture with block stamped at (column, row), grown to hold its defined cells.
TGlyphPicture Stamped(const TGlyphPicture& picture, const TGlyphPiece& block, int column, int row,
                      uint8_t fontType, bool opaque) {
  const auto [usedColumns, usedLines] = DefinedExtent(block);
  const int columns = std::min(kMaxGlyphSide, column + usedColumns);
  const int lines = std::min(kMaxGlyphSide, row + usedLines);
  TGlyphPicture next = picture;
  if (columns > picture.Columns())
    next.Width = static_cast<uint8_t>(std::max<int>(next.Width, columns));
  if (lines > picture.Lines())
    next.Height = static_cast<uint8_t>(std::max<int>(next.Height, lines));
  next = Reshaped(std::move(next), std::max(columns, picture.Columns()),
                  std::max(lines, picture.Lines()));
  const int nextColumns = next.Columns(), nextLines = next.Lines();
  for (int r = 0; r < block.Lines(); ++r) {
    const int y = row + r;
    if (y < 0 || y >= nextLines) continue;
    const std::vector<TEditCell>& from = block.Cells[r];
    std::vector<TEditCell>& to = next.Cells[y];
    for (int c = 0; c < static_cast<int>(from.size()); ++c) {
      const int x = column + c;
      if (x < 0 || x >= nextColumns) continue;
      if (from[c].Defined || opaque) to[x] = StoredCell(from[c], fontType);
    }
  }
  return next;
}

}  // namespace

TGlyphPicture EmptyPicture(uint8_t width, uint8_t height) {
  TGlyphPicture picture;
  picture.Width = width;
  picture.Height = height;
  return Reshaped(std::move(picture), std::max<int>(1, width), std::max<int>(1, height));
}

TGlyphPicture PictureFromRows(uint8_t width, uint8_t height, const TGlyphRows& rows) {
  int used = 0;
  size_t longest = 0;
  for (size_t r = 0; r < rows.size(); ++r) {
    if (rows[r].empty()) continue;
    used = static_cast<int>(r) + 1;
    longest = std::max(longest, rows[r].size());
  }
  TGlyphPicture picture = EmptyPicture(width, height);
  const int columns = std::max(picture.Columns(), static_cast<int>(longest));
  const int lines = std::max(picture.Lines(), used);
  picture = Reshaped(std::move(picture), columns, lines);
  for (int r = 0; r < used; ++r)
    for (size_t c = 0; c < rows[r].size(); ++c)
      picture.Cells[r][c] = {true, rows[r][c].Ch, rows[r][c].Attr};
  return picture;
}

bool CellStorable(uint8_t ch, uint8_t attr, uint8_t fontType) {
  if (ch == 0 || ch == kRowEnd) return false;
  return !(fontType == ftColor && ch == '&' && (attr == 0 || attr == kRowEnd));
}

std::vector<uint8_t> EncodeGlyph(const TGlyphPicture& picture, uint8_t fontType) {
  const bool color = fontType == ftColor;
  std::vector<uint8_t> record = {picture.Width, picture.Height};
  int lines = 0;
  for (int r = 0; r < picture.Lines(); ++r)
    if (RowEnd(picture.Cells[r]) > 0) lines = r + 1;
  for (int r = 0; r < lines; ++r) {
    if (r > 0) record.push_back(kRowEnd);
    const auto& row = picture.Cells[r];
    const int end = RowEnd(row);
    for (int c = 0; c < end; ++c) {
      const TEditCell& cell = row[c];
      const bool keep = cell.Defined && CellStorable(cell.Ch, cell.Attr, fontType);
      record.push_back(keep ? cell.Ch : ' ');
      if (color) record.push_back(cell.Defined ? cell.Attr : kHoleAttr);
    }
    // A '&' right before a row end reads as the marker some fonts put there;
    // a second '&' is that marker, so the first one is drawn.
    if (!color && end > 0 && row[end - 1].Ch == '&') record.push_back('&');
  }
  record.push_back(0);
  return record;
}

TGlyphRead LoadGlyphPicture(const TFontFile& font, uint8_t ch, TGlyphPicture& picture) {
  TFontChar size;
  std::vector<uint8_t> stream;
  const TGlyphRead read = ReadGlyphRecord(font, ch, size, stream);
  picture = read == TGlyphRead::Found ? PictureFromRows(size.Width, size.Height,
                                                        GlyphCellRows(stream, font.Header.FontType))
                                      : EmptyPicture(1, 1);
  return read;
}

TGlyphEdit::TGlyphEdit(TGlyphPicture picture) : Current(std::move(picture)), Saved(Current) {}

bool TGlyphEdit::Inside(int column, int row) const {
  return row >= 0 && row < Current.Lines() && column >= 0 && column < Current.Columns();
}

TEditCell TGlyphEdit::Cell(int column, int row) const {
  if (!Inside(column, row)) return {};
  return Current.Cells[row][column];
}

bool TGlyphEdit::SetCell(int column, int row, const TEditCell& cell, uint8_t fontType) {
  if (!Inside(column, row)) return false;
  if (cell.Defined && !CellStorable(cell.Ch, cell.Attr, fontType)) return false;
  TGlyphPicture next = Current;
  next.Cells[row][column] = StoredCell(cell, fontType);
  return Change(std::move(next));
}

bool TGlyphEdit::Resize(int width, int height) {
  if (width < 1 || width > 255 || height < 1 || height > 255) return false;
  const int columns = width < Current.Width ? width : std::max(width, Current.Columns());
  const int lines = height < Current.Height ? height : std::max(height, Current.Lines());
  TGlyphPicture next = Reshaped(Current, columns, lines);
  next.Width = static_cast<uint8_t>(width);
  next.Height = static_cast<uint8_t>(height);
  return Change(std::move(next));
}

bool TGlyphEdit::Replace(const TGlyphPicture& picture) {
  return Change(picture);
}

bool TGlyphEdit::Cut(const TCellRect& rect, uint8_t fontType, TGlyphPiece& block) {
  block = CopyBlock(Current, rect, fontType);
  return Undefine(rect);
}

bool TGlyphEdit::Fill(const TCellRect& rect, const TEditCell& cell, uint8_t fontType) {
  if (cell.Defined && !CellStorable(cell.Ch, cell.Attr, fontType)) return false;
  const TCellRect on = ClippedRect(rect, Current);
  if (on.Empty()) return false;
  TGlyphPicture next = Current;
  for (int r = on.Top; r <= on.Bottom; ++r)
    for (int c = on.Left; c <= on.Right; ++c) next.Cells[r][c] = StoredCell(cell, fontType);
  return Change(std::move(next));
}

bool TGlyphEdit::Undefine(const TCellRect& rect) {
  return Fill(rect, {}, ftBlock);
}

bool TGlyphEdit::Flip(const TCellRect& rect, TFlip flip, uint8_t fontType) {
  const TCellRect on = ClippedRect(rect, Current);
  if (on.Empty()) return false;
  const TGlyphPiece flipped = FlippedBlock(CopyBlock(Current, on, fontType), flip);
  return Change(Stamped(Current, flipped, on.Left, on.Top, fontType, true));
}

bool TGlyphEdit::Paste(const TGlyphPiece& block, int column, int row, uint8_t fontType,
                       TPaste mode) {
  return Change(Stamped(Current, block, column, row, fontType, mode == TPaste::Opaque));
}

void TGlyphEdit::BeginStroke() {
  if (!StrokeStart) StrokeStart = Current;
}

bool TGlyphEdit::EndStroke() {
  if (!StrokeStart) return false;
  TGlyphPicture before = std::move(*StrokeStart);
  StrokeStart.reset();
  if (before == Current) return false;
  Remember(std::move(before));
  return true;
}

bool TGlyphEdit::Change(TGlyphPicture next) {
  if (next == Current) return false;
  // Inside a stroke the step is taken when the stroke ends.
  if (!StrokeStart) Remember(std::move(Current));
  Current = std::move(next);
  return true;
}

// A new undo step back to before; what was undone can no longer be redone.
void TGlyphEdit::Remember(TGlyphPicture before) {
  UndoStack.push_back(std::move(before));
  if (UndoStack.size() > kUndoSteps) UndoStack.pop_front();
  RedoStack.clear();
}

// Moves the current picture onto to and takes the last one of from.
bool TGlyphEdit::TakeFrom(std::deque<TGlyphPicture>& from, std::deque<TGlyphPicture>& to) {
  EndStroke();
  if (from.empty()) return false;
  to.push_back(std::move(Current));
  Current = std::move(from.back());
  from.pop_back();
  return true;
}

bool TGlyphEdit::Undo() {
  return TakeFrom(UndoStack, RedoStack);
}

bool TGlyphEdit::Redo() {
  return TakeFrom(RedoStack, UndoStack);
}

TGlyphRead CopyGlyphIn(TGlyphEdit& edit, const TFontFile& source, uint8_t ch, uint8_t fontType,
                       const TFontDrawStyle& look) {
  TGlyphPicture picture;
  if (LoadGlyphPicture(source, ch, picture) != TGlyphRead::Found) return TGlyphRead::Absent;
  const TGlyphPiece cells{source.Header.FontType, std::move(picture.Cells)};
  picture.Cells = ConvertedBlock(cells, fontType, look).Cells;
  edit.Replace(picture);
  return TGlyphRead::Found;
}

std::optional<TFontFile> EditedFont(const TFontFile& font, uint8_t ch,
                                    const TGlyphPicture& picture) {
  const int n = font.Selected;
  if (n < 1 || n > font.Count() || ch < kFirstGlyphChar || ch > kLastGlyphChar) return std::nullopt;
  const std::vector<uint8_t> record = EncodeGlyph(picture, font.Header.FontType);
  std::optional<TGlyphBlock> rebuilt =
      CompactGlyphBlock(font.Header, font.Block, ch - kFirstGlyphChar, record);
  if (!rebuilt) return std::nullopt;
  TFontFile edited = font;
  edited.Header = rebuilt->Header;
  edited.Fonts[n].Header = rebuilt->Header;
  edited.Block = std::move(rebuilt->Bytes);
  return edited;
}
