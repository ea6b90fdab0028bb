#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <vector>

#include "tdf/GlyphRender.h"

// The editing model of one glyph, free of the screen: its cells and size,
// undo and redo, and the glyph record it is saved as.

// One cell of the picture. An undefined cell is one the glyph does not draw
// (a row that ends before it): what lies below shows through.
struct TEditCell {
  bool Defined = false;
  uint8_t Ch = 0;
  uint8_t Attr = 0;  // Color fonts only
  friend bool operator==(const TEditCell&, const TEditCell&) = default;
};

// A glyph as the editor shows it: the record's Width and Height and a
// rectangle of cells at least that large. Rows may reach past Width: some
// fonts draw into the next letter's room, and that must survive a save.
struct TGlyphPicture {
  uint8_t Width = 1;
  uint8_t Height = 1;
  std::vector<std::vector<TEditCell>> Cells;  // [row][column], all rows equally long

  int Columns() const { return Cells.empty() ? 0 : static_cast<int>(Cells[0].size()); }
  int Lines() const { return static_cast<int>(Cells.size()); }
  friend bool operator==(const TGlyphPicture&, const TGlyphPicture&) = default;
};

// The picture of a record: its Width and Height and the cells its stream
// draws (GlyphCellRows). Rows after the last drawn cell are not kept.
TGlyphPicture PictureFromRows(uint8_t width, uint8_t height, const TGlyphRows& rows);

// A Width x Height picture without a defined cell: a glyph not drawn yet.
TGlyphPicture EmptyPicture(uint8_t width, uint8_t height);

// Whether a cell reads back as itself from a font of this type: 0 and 13 end
// the glyph and the row, and in Color fonts '&' before an attribute of 0 or
// 13 reads as the marker some fonts end rows with.
bool CellStorable(uint8_t ch, uint8_t attr, uint8_t fontType);

// The glyph record: Width, Height, then each row up to its last defined cell,
// 13 between rows and 0 at the end; rows after the last defined cell are left
// out. Read back it draws exactly the defined cells, with two exceptions: an
// undefined cell before the end of its row becomes a space (attribute 7) and
// a cell that cannot be stored becomes a space in its attribute.
std::vector<uint8_t> EncodeGlyph(const TGlyphPicture& picture, uint8_t fontType);

// The picture of glyph ch of font's selected font; an absent glyph gives an
// empty 1x1 picture.
TGlyphRead LoadGlyphPicture(const TFontFile& font, uint8_t ch, TGlyphPicture& picture);

// A picture with every change undoable. Each edit answers whether the
// picture changed; one that changes nothing leaves no undo step.
class TGlyphEdit {
 public:
  static constexpr size_t kUndoSteps = 256;

  explicit TGlyphEdit(TGlyphPicture picture = EmptyPicture(1, 1));

  const TGlyphPicture& Picture() const { return Current; }
  // The cell at (column, row), 0-based; undefined outside the picture.
  TEditCell Cell(int column, int row) const;

  // Sets a cell inside the picture (an undefined one clears it). A cell that
  // cannot be stored in fontType is refused.
  bool SetCell(int column, int row, const TEditCell& cell, uint8_t fontType);
  // New Width and Height (1..255). Growing keeps every cell; shrinking cuts
  // the cells beyond the new size.
  bool Resize(int width, int height);
  // The whole picture at once (for example as saved and read back).
  bool Replace(const TGlyphPicture& picture);

  bool Undo();
  bool Redo();
  bool CanUndo() const { return !UndoStack.empty(); }
  bool CanRedo() const { return !RedoStack.empty(); }

  // Changed since construction or the last MarkSaved (undoing back counts as unchanged).
  bool Modified() const { return !(Current == Saved); }
  void MarkSaved() { Saved = Current; }

 private:
  bool Inside(int column, int row) const;
  bool Change(TGlyphPicture next);
  bool TakeFrom(std::deque<TGlyphPicture>& from, std::deque<TGlyphPicture>& to);

  TGlyphPicture Current;
  TGlyphPicture Saved;
  std::deque<TGlyphPicture> UndoStack;
  std::deque<TGlyphPicture> RedoStack;
};
