#include "ansi/ArtPicture.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

TArtPicture::TArtPicture(int width) : Cols(std::clamp(width, 1, kArtMaxWidth)) {}

bool TArtPicture::Inside(int x, int y) const {
  return x >= 0 && x < Cols && y >= 0 && y < Rows();
}

TScreenChar TArtPicture::At(int x, int y) const {
  return Inside(x, y) ? Cells[static_cast<size_t>(y) * Cols + x] : TScreenChar{};
}

std::span<const TScreenChar> TArtPicture::Row(int y) const {
  if (y < 0 || y >= Rows()) return {};
  return std::span<const TScreenChar>(Cells).subspan(static_cast<size_t>(y) * Cols, Cols);
}

bool TArtPicture::Reserve(int rows) {
  if (rows <= Rows()) return true;
  // Compared before multiplying: a row number from a file can be anything.
  if (static_cast<size_t>(rows) > kArtMaxCells / static_cast<size_t>(Cols)) return false;
  const size_t cells = static_cast<size_t>(rows) * Cols;
  if (Cells.size() < cells) Cells.resize(cells);
  if (!TrueColors.empty() && TrueColors.size() < cells) TrueColors.resize(cells);
  RowCount = rows;
  return true;
}

bool TArtPicture::Put(int x, int y, TScreenChar cell) {
  return PutRun(x, y, 1, cell);
}

bool TArtPicture::PutRun(int x, int y, int count, TScreenChar cell) {
  if (x < 0 || x >= Cols || y < 0 || !Reserve(y + 1)) return false;
  const auto row = Cells.begin() + static_cast<std::ptrdiff_t>(y) * Cols;
  std::fill(row + x, row + std::min(Cols, x + std::max(count, 0)), cell);
  return true;
}

bool TArtPicture::Put(int x, int y, TScreenChar cell, const TArtTrueColor& colors) {
  if (!Put(x, y, cell)) return false;
  if (TrueColors.empty()) TrueColors.resize(Used(), TArtTrueColor{});
  TrueColors[static_cast<size_t>(y) * Cols + x] = colors;
  return true;
}

void TArtPicture::Clear() {
  // One block of plain bytes: a single memset, also in unoptimised builds.
  static_assert(std::is_trivially_copyable_v<TScreenChar> && sizeof(TScreenChar) == 2);
  if (Used() > 0) std::memset(static_cast<void*>(Cells.data()), 0, Used() * sizeof(TScreenChar));
  TrueColors.clear();
  RowCount = 0;
}

void TArtPicture::Clear(int width) {
  Clear();
  Cols = std::clamp(width, 1, kArtMaxWidth);
}

bool operator==(const TArtPicture& a, const TArtPicture& b) {
  static_assert(std::has_unique_object_representations_v<TScreenChar>);
  const bool sameCells =
      a.Used() == b.Used() && (a.Used() == 0 || std::memcmp(a.Cells.data(), b.Cells.data(),
                                                            a.Used() * sizeof(TScreenChar)) == 0);
  return a.Cols == b.Cols && a.RowCount == b.RowCount && sameCells &&
         a.TrueColors == b.TrueColors && a.Palette == b.Palette && a.Font == b.Font &&
         a.Hints == b.Hints;
}

std::optional<TArtTrueColor> TArtPicture::TrueColorAt(int x, int y) const {
  if (TrueColors.empty()) return std::nullopt;
  if (!Inside(x, y)) return TArtTrueColor{};
  return TrueColors[static_cast<size_t>(y) * Cols + x];
}

TScreen ArtPictureScreen(const TArtPicture& picture, int firstRow, int count) {
  firstRow = std::max(firstRow, 0);
  if (count < 0) count = std::max(picture.Rows() - firstRow, 0);
  TScreen screen(static_cast<size_t>(count) + 1);
  for (int y = 1; y <= count; ++y) {
    TScreenLine& line = screen[y];
    line.assign(static_cast<size_t>(picture.Width()) + 1, TScreenChar{});
    const std::span<const TScreenChar> row = picture.Row(firstRow + y - 1);
    std::copy(row.begin(), row.end(), line.begin() + 1);
  }
  return screen;
}
