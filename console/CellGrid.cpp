#include "console/CellGrid.h"

#include <algorithm>

TCellGrid::TCellGrid(int width, int height, TScreenChar fill)
    : Cols(std::max(width, 0)), Count(std::max(height, 0)) {
  if (Cols == 0 || Count == 0) Cols = Count = 0;
  Cells.assign(static_cast<size_t>(Cols) * static_cast<size_t>(Count), fill);
}

void TCellGrid::ReadRow(int y, std::span<TScreenChar> cells) const {
  const std::span<const TScreenChar> row = Row(y);
  for (size_t x = 0; x < cells.size(); ++x) cells[x] = x < row.size() ? row[x] : kBlankCell;
}

TScreenChar TCellGrid::At(int x, int y) const {
  return Inside(x, y) ? Cells[static_cast<size_t>(y) * Cols + x] : kBlankCell;
}

std::span<const TScreenChar> TCellGrid::Row(int y) const {
  if (y < 0 || y >= Count) return {};
  return std::span(Cells).subspan(static_cast<size_t>(y) * Cols, static_cast<size_t>(Cols));
}

std::span<TScreenChar> TCellGrid::Row(int y) {
  if (y < 0 || y >= Count) return {};
  return std::span(Cells).subspan(static_cast<size_t>(y) * Cols, static_cast<size_t>(Cols));
}

void TCellGrid::Put(int x, int y, TScreenChar cell) {
  if (Inside(x, y)) Cells[static_cast<size_t>(y) * Cols + x] = cell;
}

void TCellGrid::Fill(TScreenChar cell) {
  std::fill(Cells.begin(), Cells.end(), cell);
}

void TCellGrid::Paste(const TCellGrid& other, int x, int y) {
  for (int r = 0; r < other.Count; ++r) {
    for (int c = 0; c < other.Cols; ++c) Put(x + c, y + r, other.At(c, r));
  }
}

TGridRows::TGridRows(const TCellGrid& grid, int first, int count)
    : Grid(grid),
      First(std::clamp(first, 0, grid.Height())),
      Count(std::clamp(count, 0, grid.Height() - First)) {}
