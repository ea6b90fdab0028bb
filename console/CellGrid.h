#pragma once

#include <span>
#include <vector>

#include "console/CellPicture.h"
#include "console/ScreenTypes.h"

// A cleared cell, as the screen clears in attribute 7: nothing drawn.
inline constexpr TScreenChar kBlankCell{0, 7};

// A rectangle of character cells, width x height, counted from 0: the one
// plain grid of the program. The screen model keeps its cells in one, the
// window draws from a copy of it, banners and contact sheets are laid out on
// one wider than the screen, and the format writers and the PNG pictures take
// it as the cells they encode (a TCellRows).
class TCellGrid final : public TCellRows {
 public:
  TCellGrid() = default;
  // An empty side makes an empty grid, not rows of nothing.
  TCellGrid(int width, int height, TScreenChar fill = kBlankCell);

  int Width() const { return Cols; }
  int Height() const { return Count; }
  int Columns() const override { return Cols; }
  int Rows() const override { return Count; }
  void ReadRow(int y, std::span<TScreenChar> cells) const override;

  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < Cols && y < Count; }
  // Cell (x, y); a blank cell outside the grid.
  TScreenChar At(int x, int y) const;
  // Row y, Width() cells; empty outside the grid.
  std::span<const TScreenChar> Row(int y) const;
  std::span<TScreenChar> Row(int y);
  // Stores a cell; a cell outside the grid is dropped.
  void Put(int x, int y, TScreenChar cell);
  // Every cell the same.
  void Fill(TScreenChar cell);
  bool Empty() const { return Cells.empty(); }
  void Clear() { *this = {}; }
  // Copies every cell of other with its top-left cell at (x, y), dropping
  // what falls outside.
  void Paste(const TCellGrid& other, int x, int y);

  friend bool operator==(const TCellGrid& a, const TCellGrid& b) {
    return a.Cols == b.Cols && a.Count == b.Count && a.Cells == b.Cells;
  }

 private:
  int Cols = 0;
  int Count = 0;
  std::vector<TScreenChar> Cells;  // row-major
};

// Rows first .. first+count-1 of a grid (those the grid has) as a picture of
// their own. The grid must outlive the view.
class TGridRows final : public TCellRows {
 public:
  TGridRows(const TCellGrid& grid, int first, int count);
  int Columns() const override { return Grid.Width(); }
  int Rows() const override { return Count; }
  void ReadRow(int y, std::span<TScreenChar> cells) const override {
    Grid.ReadRow(First + y, cells);
  }

 private:
  const TCellGrid& Grid;
  int First;
  int Count;
};
