#pragma once

#include <cstdint>
#include <vector>

// The cells of a glyph as the editor holds them.

// One cell of the picture. An undefined cell is one the glyph does not draw
// (a row that ends before it): what lies below shows through.
struct TEditCell {
  bool Defined = false;
  uint8_t Ch = 0;
  uint8_t Attr = 0;  // Color fonts only
  friend bool operator==(const TEditCell&, const TEditCell&) = default;
};

using TEditRows = std::vector<std::vector<TEditCell>>;  // [row][column], all rows equally long

// A glyph as the editor shows it: the record's Width and Height and a
// rectangle of cells at least that large. Rows may reach past Width: some
// fonts draw into the next letter's room, and that must survive a save.
struct TGlyphPicture {
  uint8_t Width = 1;
  uint8_t Height = 1;
  TEditRows Cells;

  int Columns() const { return Cells.empty() ? 0 : static_cast<int>(Cells[0].size()); }
  int Lines() const { return static_cast<int>(Cells.size()); }
  friend bool operator==(const TGlyphPicture&, const TGlyphPicture&) = default;
};
