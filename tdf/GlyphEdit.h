#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <vector>

#include "tdf/CellBlock.h"
#include "tdf/GlyphPicture.h"
#include "tdf/GlyphRender.h"

// The editing model of one glyph, free of the screen: its cells and size,
// undo and redo, and the glyph record it is saved as.

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
// picture changed; one that changes nothing leaves no undo step. Every edit
// is one undo step, however many cells it touches; so is a stroke.
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
  // The whole picture at once (for example as saved and read back, or
  // another glyph copied in).
  bool Replace(const TGlyphPicture& picture);

  // A stroke: every change from BeginStroke to EndStroke (a drag of the
  // mouse painting cell after cell) becomes one undo step. The picture
  // changes at once; EndStroke answers whether the stroke changed it. Undo
  // and Redo end an open stroke first; a second BeginStroke changes nothing.
  void BeginStroke();
  bool EndStroke();
  bool InStroke() const { return StrokeStart.has_value(); }

  // The block operations, on the cells of rect that lie on the picture.
  // Copying is CopyBlock(Picture(), rect, fontType). Cut copies into block
  // (empty when rect holds no cell) and undefines the cells.
  bool Cut(const TCellRect& rect, uint8_t fontType, TGlyphPiece& block);
  // Every cell of rect becomes cell (an undefined one clears them); a cell
  // that cannot be stored in fontType is refused.
  bool Fill(const TCellRect& rect, const TEditCell& cell, uint8_t fontType);
  bool Undefine(const TCellRect& rect);
  // The cells turned left to right or upside down in their place, each
  // mirrored (FlippedBlock).
  bool Flip(const TCellRect& rect, TFlip flip, uint8_t fontType);
  // Stamps block with its top-left cell at (column, row). An Opaque paste
  // puts every cell of the block, undefined ones too, so a part copied
  // elsewhere looks exactly as it did; a Transparent one keeps what lies
  // under the block's undefined cells. A defined cell that lands past the
  // picture's right or bottom edge grows the glyph (Width, Height and its
  // cells) to hold it, up to 255: a glyph has no fixed canvas, and a paste
  // that hangs over the edge is wanted there, while cutting it off would lose
  // cells without a word (an undo takes the growth back with the paste).
  // Cells that land left of or above the glyph, or past 255, are left out. A
  // cell that cannot be stored in fontType becomes a space in its colour, as
  // a save would store it. The block should be in fontType (ConvertedBlock).
  enum class TPaste : uint8_t { Opaque, Transparent };
  bool Paste(const TGlyphPiece& block, int column, int row, uint8_t fontType,
             TPaste mode = TPaste::Opaque);

  bool Undo();
  bool Redo();
  bool CanUndo() const { return !UndoStack.empty() || (InStroke() && *StrokeStart != Current); }
  bool CanRedo() const { return !RedoStack.empty(); }

  // Changed since construction or the last MarkSaved (undoing back counts as unchanged).
  bool Modified() const { return !(Current == Saved); }
  void MarkSaved() { Saved = Current; }

 private:
  bool Inside(int column, int row) const;
  bool Change(TGlyphPicture next);
  void Remember(TGlyphPicture before);
  bool TakeFrom(std::deque<TGlyphPicture>& from, std::deque<TGlyphPicture>& to);

  TGlyphPicture Current;
  TGlyphPicture Saved;
  std::deque<TGlyphPicture> UndoStack;
  std::deque<TGlyphPicture> RedoStack;
  std::optional<TGlyphPicture> StrokeStart;  // the picture before the open stroke
};

// The selected font of font as it would read with picture saved as the
// glyph of ch, in memory only: what the editor's sample draws while the
// changes are not saved. The file is not read. nullopt when no font is
// selected, ch is outside '!'..'~', or the glyph block would pass 65535 bytes.
std::optional<TFontFile> EditedFont(const TFontFile& font, uint8_t ch,
                                    const TGlyphPicture& picture);

// Copies the glyph of ch of source's selected font (this font or any other
// font value) into edit as one undo step, Width and Height included, its
// cells converted for a font of fontType (ConvertedBlock with look). An
// absent glyph changes nothing and answers Absent.
TGlyphRead CopyGlyphIn(TGlyphEdit& edit, const TFontFile& source, uint8_t ch, uint8_t fontType,
                       const TFontDrawStyle& look);
