#include "console/CellCanvas.h"

#include <algorithm>

TCellCanvas::TCellCanvas(int columns, int rows)
    : Cols(std::max(columns, 0)), Count(std::max(rows, 0)) {
  // An empty side makes an empty canvas, not rows of nothing.
  if (Cols == 0 || Count == 0) Cols = Count = 0;
  Cells.assign(static_cast<size_t>(Cols) * static_cast<size_t>(Count), kBlankCell);
}

void TCellCanvas::ReadRow(int y, std::span<TScreenChar> cells) const {
  const std::span<const TScreenChar> row = Row(y);
  for (size_t x = 0; x < cells.size(); ++x) cells[x] = x < row.size() ? row[x] : kBlankCell;
}

TScreenChar TCellCanvas::At(int x, int y) const {
  return Inside(x, y) ? Cells[static_cast<size_t>(y) * Cols + x] : kBlankCell;
}

std::span<const TScreenChar> TCellCanvas::Row(int y) const {
  if (y < 0 || y >= Count) return {};
  return std::span(Cells).subspan(static_cast<size_t>(y) * Cols, static_cast<size_t>(Cols));
}

void TCellCanvas::Put(int x, int y, TScreenChar cell) {
  if (Inside(x, y)) Cells[static_cast<size_t>(y) * Cols + x] = cell;
}

void TCellCanvas::Paste(const TCellCanvas& other, int x, int y) {
  for (int r = 0; r < other.Count; ++r) {
    for (int c = 0; c < other.Cols; ++c) Put(x + c, y + r, other.At(c, r));
  }
}
