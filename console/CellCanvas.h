#pragma once

#include <span>
#include <vector>

#include "console/CellPicture.h"
#include "console/ScreenTypes.h"

// A cleared cell, as the screen clears in attribute 7: nothing drawn.
inline constexpr TScreenChar kBlankCell{0, 7};

// A picture of character cells of any size, made to hold what is drawn on
// it: banners laid out wider than the screen, the bands of a contact sheet.
// Plain cells without the art-file baggage of a picture read from a file
// (palette, font, hints), shared by the font code that draws on it and the
// format writers that encode it (they take any TCellRows). Columns and rows
// count from 0.
class TCellCanvas final : public TCellRows {
 public:
  TCellCanvas() = default;
  TCellCanvas(int columns, int rows);

  int Columns() const override { return Cols; }
  int Rows() const override { return Count; }
  void ReadRow(int y, std::span<TScreenChar> cells) const override;

  // Cell (x, y); a blank cell outside the canvas.
  TScreenChar At(int x, int y) const;
  // Row y, Columns() cells; empty outside the canvas.
  std::span<const TScreenChar> Row(int y) const;
  // Stores a cell; a cell outside the canvas is dropped.
  void Put(int x, int y, TScreenChar cell);
  // Copies every cell of other with its top-left cell at (x, y), dropping
  // what falls outside.
  void Paste(const TCellCanvas& other, int x, int y);

 private:
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < Cols && y < Count; }
  int Cols = 0;
  int Count = 0;
  std::vector<TScreenChar> Cells;  // row-major
};
