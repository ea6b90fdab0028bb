#include "tdf/GlyphEdit.h"

#include <algorithm>
#include <utility>

#include "tdf/FontFile.h"

namespace {

constexpr uint8_t kRowEnd = 13;
constexpr uint8_t kHoleAttr = 7;

// One past the last defined cell of a row (0 for a row without one).
int RowEnd(const std::vector<TEditCell>& row) {
  for (int c = static_cast<int>(row.size()); c > 0; --c)
    if (row[c - 1].Defined) return c;
  return 0;
}

TGlyphPicture Reshaped(const TGlyphPicture& from, int columns, int lines) {
  TGlyphPicture to = from;
  to.Cells.resize(static_cast<size_t>(lines));
  for (auto& row : to.Cells) row.resize(static_cast<size_t>(columns));
  return to;
}

}  // namespace

TGlyphPicture EmptyPicture(uint8_t width, uint8_t height) {
  TGlyphPicture picture;
  picture.Width = width;
  picture.Height = height;
  return Reshaped(picture, std::max<int>(1, width), std::max<int>(1, height));
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
  picture = Reshaped(picture, std::max(picture.Columns(), static_cast<int>(longest)),
                     std::max(picture.Lines(), used));
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
  // Block and Outline cells take the colour they are drawn in; an undefined cell holds nothing.
  const TEditCell stored =
      cell.Defined ? TEditCell{true, cell.Ch, fontType == ftColor ? cell.Attr : uint8_t{0}}
                   : TEditCell{};
  TGlyphPicture next = Current;
  next.Cells[row][column] = stored;
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

bool TGlyphEdit::Change(TGlyphPicture next) {
  if (next == Current) return false;
  UndoStack.push_back(std::move(Current));
  if (UndoStack.size() > kUndoSteps) UndoStack.pop_front();
  RedoStack.clear();
  Current = std::move(next);
  return true;
}

// Moves the current picture onto to and takes the last one of from.
bool TGlyphEdit::TakeFrom(std::deque<TGlyphPicture>& from, std::deque<TGlyphPicture>& to) {
  if (from.empty()) return false;
  to.push_back(std::move(Current));
  Current = std::move(from.back());
  from.pop_back();
  return true;
}

bool TGlyphEdit::Undo() { return TakeFrom(UndoStack, RedoStack); }

bool TGlyphEdit::Redo() { return TakeFrom(RedoStack, UndoStack); }
