#include "ansi/ArtPicture.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace {

// count copies of cell from at on: one cell, then copies of what is filled,
// doubling, so a run of thousands costs a dozen block copies in any build.
void FillCells(TScreenChar* at, size_t count, TScreenChar cell) {
  at[0] = cell;
  for (size_t filled = 1; filled < count; filled *= 2)
    std::memcpy(at + filled, at, sizeof(TScreenChar) * std::min(filled, count - filled));
}

}  // namespace

TArtPicture::TArtPicture(int width) : Cols(std::clamp(width, 1, kArtMaxWidth)) {}

bool TArtPicture::Inside(int x, int y) const {
  return x >= 0 && x < Cols && y >= 0 && y < Rows();
}

TScreenChar TArtPicture::At(int x, int y) const {
  return Inside(x, y) ? Cells[static_cast<size_t>(y) * Cols + x] : TScreenChar{};
}

std::span<const TScreenChar> TArtPicture::Row(int y) const {
  if (y < 0 || y >= Rows()) return {};
  return {Cells.data() + static_cast<size_t>(y) * Cols, static_cast<size_t>(Cols)};
}

int TArtPicture::RowLimit() const {
  if (UserMaxRows > 0) return UserMaxRows;
  return std::min(kArtMaxRows, static_cast<int>(kArtMaxCells / static_cast<size_t>(Cols)));
}

bool TArtPicture::Reserve(int rows) {
  if (rows <= Rows()) return true;
  if (rows > RowLimit()) return false;
  const size_t cells = static_cast<size_t>(rows) * Cols;
  Cells.Grow(cells);
  if (!TrueColors.empty()) TrueColors.Grow(cells);
  RowCount = rows;
  return true;
}

bool TArtPicture::Put(int x, int y, TScreenChar cell) {
  return PutRun(x, y, 1, cell);
}

bool TArtPicture::PutRun(int x, int y, int count, TScreenChar cell) {
  if (x < 0 || x >= Cols || y < 0 || !Reserve(y + 1)) return false;
  const int end = std::min(Cols, x + std::max(count, 0));
  if (end > x) FillCells(Cells.data() + static_cast<size_t>(y) * Cols + x, end - x, cell);
  return true;
}

size_t TArtPicture::PutRows(int64_t y, size_t rows, TScreenChar cell) {
  const auto limit = static_cast<size_t>(RowLimit());
  if (y < 0 || static_cast<size_t>(y) >= limit) return 0;
  rows = std::min(rows, limit - static_cast<size_t>(y));
  if (rows == 0 || !Reserve(static_cast<int>(y + rows))) return 0;
  FillCells(Cells.data() + static_cast<size_t>(y) * Cols, rows * Cols, cell);
  return rows;
}

bool TArtPicture::Put(int x, int y, TScreenChar cell, const TArtTrueColor& colors) {
  if (!Put(x, y, cell)) return false;
  if (TrueColors.empty()) TrueColors.Grow(Used());
  TrueColors[static_cast<size_t>(y) * Cols + x] = colors;
  return true;
}

void TArtPicture::Clear() {
  Cells.Wipe();
  TrueColors.Wipe();
  RowCount = 0;
}

void TArtPicture::Clear(int width) {
  Clear();
  Cols = std::clamp(width, 1, kArtMaxWidth);
}

bool operator==(const TArtPicture& a, const TArtPicture& b) {
  // Compared as bytes: no padding may differ where the values do not.
  static_assert(std::has_unique_object_representations_v<TScreenChar> &&
                std::has_unique_object_representations_v<TArtTrueColor>);
  return a.Cols == b.Cols && a.RowCount == b.RowCount && a.Cells == b.Cells &&
         a.TrueColors == b.TrueColors && a.Palette == b.Palette && a.Font == b.Font &&
         a.Hints == b.Hints;
}

std::optional<TArtTrueColor> TArtPicture::TrueColorAt(int x, int y) const {
  if (TrueColors.empty()) return std::nullopt;
  if (!Inside(x, y)) return TArtTrueColor{};
  return TrueColors[static_cast<size_t>(y) * Cols + x];
}

TCellGrid ArtPictureGrid(const TArtPicture& picture, int firstRow, int count) {
  firstRow = std::max(firstRow, 0);
  if (count < 0) count = std::max(picture.Rows() - firstRow, 0);
  TCellGrid grid(picture.Width(), count, TScreenChar{});
  for (int y = 0; y < count; ++y) {
    const std::span<const TScreenChar> row = picture.Row(firstRow + y);
    std::copy(row.begin(), row.end(), grid.Row(y).begin());
  }
  return grid;
}
