// The glyph editor's mouse: painting, erasing, marking and picking.

#include <algorithm>
#include <cstdlib>

#include "screens/GlyphEditorActions.h"

namespace {

using TKind = TMouseEvent::TKind;
using TDrag = TGlyphEditor::TDrag;

constexpr uint8_t kLeft = 1, kMiddle = 2, kRight = 3;

// The glyph cell under screen cell (x, y); false outside the glyph in view.
bool GlyphCellAt(const TGlyphEditor& e, int x, int y, int& column, int& row) {
  column = e.ViewX + x - kGlyphLeft;
  row = e.ViewY + y - kGlyphTop;
  const TGlyphPicture& p = e.Edit.Picture();
  return x >= kGlyphLeft && x < kGlyphLeft + ViewColumns(e.Con) && y >= kGlyphTop &&
         y < kGlyphTop + ViewLines(e.Con) && column < p.Columns() && row < p.Lines();
}

// The brush, or nothing, on one cell.
void Touch(TGlyphEditor& e, int column, int row) {
  const TEditCell cell = e.Drag == TDrag::Paint ? TEditCell{true, e.Brush, e.Attr()} : TEditCell{};
  e.Edit.SetCell(column, row, cell, e.FontType);
}

// Every cell on the line from the last cell of the drag to (column, row):
// the console reports where the pointer is, not every cell it crossed.
void StrokeTo(TGlyphEditor& e, int column, int row) {
  const int dx = column - e.DragX, dy = row - e.DragY;
  const int steps = std::max(std::abs(dx), std::abs(dy));
  for (int i = 1; i <= steps; ++i)
    Touch(e, e.DragX + (dx * i + (dx > 0 ? steps / 2 : -steps / 2)) / steps,
          e.DragY + (dy * i + (dy > 0 ? steps / 2 : -steps / 2)) / steps);
  e.DragX = column;
  e.DragY = row;
}

// The character and colour of a defined cell become the brush.
void Pick(TGlyphEditor& e, int column, int row) {
  const TEditCell cell = e.Edit.Cell(column, row);
  if (!cell.Defined) return;
  e.Brush = cell.Ch;
  if (e.FontType == ftColor) {
    e.Fg = cell.Attr & 15;
    e.Bg = cell.Attr >> 4;
  }
}

void Press(TGlyphEditor& e, const TMouseEvent& m) {
  if (m.Y == StripRow(e.Con) && e.FontType == ftColor && m.X <= 16 * kStripColumnsPerColour) {
    const auto colour = static_cast<uint8_t>((m.X - 1) / kStripColumnsPerColour);
    if (m.Button == kLeft) e.Fg = colour;
    if (m.Button == kRight) e.Bg = colour;
    return;
  }
  int column = 0, row = 0;
  if (!GlyphCellAt(e, m.X, m.Y, column, row)) return;
  e.X = column;
  e.Y = row;
  if (m.Button == kMiddle || (m.Button == kLeft && m.Alt)) {
    Pick(e, column, row);
    return;
  }
  if (e.Floating) {
    if (m.Button == kLeft) StampPaste(e);
    return;
  }
  if (m.Button == kLeft && m.Shift) {
    e.Drag = TDrag::Mark;
    e.AnchorX = column;
    e.AnchorY = row;
    e.Selection = RectBetween(column, row, column, row);
    return;
  }
  e.Selection.reset();
  e.Drag = m.Button == kLeft ? TDrag::Paint : TDrag::Erase;
  e.DragX = column;
  e.DragY = row;
  e.Edit.BeginStroke();
  Touch(e, column, row);
}

void Move(TGlyphEditor& e, const TMouseEvent& m) {
  if (e.Drag == TDrag::None) return;
  // Past the glyph's edge the drag goes on along it.
  const TGlyphPicture& p = e.Edit.Picture();
  const int column = std::clamp(e.ViewX + m.X - kGlyphLeft, 0, p.Columns() - 1);
  const int row = std::clamp(e.ViewY + m.Y - kGlyphTop, 0, p.Lines() - 1);
  e.X = column;
  e.Y = row;
  if (e.Drag == TDrag::Mark) {
    e.Selection = RectBetween(e.AnchorX, e.AnchorY, column, row);
    return;
  }
  StrokeTo(e, column, row);
}

}  // namespace

void MouseAction(TGlyphEditor& e, const TMouseEvent& m) {
  switch (m.Kind) {
    case TKind::Press:
      // A press while a drag is on (a second button) ends nothing and starts nothing.
      if (e.Drag == TDrag::None) Press(e, m);
      break;
    case TKind::Move:
      Move(e, m);
      break;
    case TKind::Release:
      if (e.Drag == TDrag::Paint || e.Drag == TDrag::Erase) e.Edit.EndStroke();
      e.Drag = TDrag::None;
      break;
  }
}
