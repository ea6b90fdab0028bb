// The glyph editor's block and copy keys.

#include <algorithm>
#include <string>

#include "screens/GlyphCaptureDialog.h"
#include "screens/GlyphCharBrowser.h"
#include "screens/GlyphEditorActions.h"
#include "tdf/GlyphCapture.h"
#include "util/Numbers.h"
#include "widgets/Prompts.h"

namespace {

constexpr char kNothingMarked[] = "Mark a block first: Shift with the arrows or the mouse.";

std::string SizeText(int columns, int lines) {
  return NumToStr(columns) + "x" + NumToStr(lines);
}

}  // namespace

void KeepCursorInside(TGlyphEditor& e) {
  const TGlyphPicture& p = e.Edit.Picture();
  e.X = std::clamp(e.X, 0, p.Columns() - 1);
  e.Y = std::clamp(e.Y, 0, p.Lines() - 1);
  // A glyph that shrank takes the part of the mark that is left.
  if (e.Selection) {
    e.Selection = ClippedRect(*e.Selection, p);
    if (e.Selection->Empty()) e.Selection.reset();
  }
}

void MoveCursor(TGlyphEditor& e, int dx, int dy) {
  e.X += dx;
  e.Y += dy;
  KeepCursorInside(e);
}

void MarkTo(TGlyphEditor& e, int dx, int dy) {
  if (!e.Selection) {
    e.AnchorX = e.X;
    e.AnchorY = e.Y;
  }
  MoveCursor(e, dx, dy);
  e.Selection = RectBetween(e.AnchorX, e.AnchorY, e.X, e.Y);
}

void CopyMarked(TGlyphEditor& e, bool cut) {
  if (!e.Selection) {
    e.Message = kNothingMarked;
    return;
  }
  const TCellRect rect = *e.Selection;
  if (cut) {
    e.Edit.Cut(rect, e.FontType, *e.Clipboard);
  } else {
    *e.Clipboard = CopyBlock(e.Edit.Picture(), rect, e.FontType);
  }
  e.Selection.reset();
  e.Message = (cut ? "Cut " : "Copied ") + SizeText(rect.Columns(), rect.Lines()) + ".";
}

void StartPaste(TGlyphEditor& e) {
  if (e.Clipboard->Empty()) {
    e.Message = "The block clipboard is empty: copy a block with Ctrl+C first.";
    return;
  }
  e.Selection.reset();
  e.Floating = ConvertedBlock(*e.Clipboard, e.FontType, e.Look.Style);
  e.Message = "Move the block and press Enter to stamp it; Esc drops it.";
}

void StampPaste(TGlyphEditor& e) {
  // Undefined cells of the block let the glyph below show, as on the screen.
  e.Edit.Paste(*e.Floating, e.X, e.Y, e.FontType, TGlyphEdit::TPaste::Transparent);
  e.Floating.reset();
}

bool FlipMarked(TGlyphEditor& e, TFlip flip) {
  if (!e.Selection) return false;
  e.Edit.Flip(*e.Selection, flip, e.FontType);
  return true;
}

bool FillMarked(TGlyphEditor& e) {
  if (!e.Selection) return false;
  const TEditCell cell{true, e.Brush, e.Attr()};
  if (!e.Edit.Fill(*e.Selection, cell, e.FontType) && !CellStorable(e.Brush, e.Attr(), e.FontType))
    e.Message = "A '&' in colour 0 or 13 would read as the end of its row.";
  return true;
}

bool UndefineMarked(TGlyphEditor& e) {
  if (!e.Selection) return false;
  e.Edit.Undefine(*e.Selection);
  return true;
}

void CopyInGlyph(TGlyphEditor& e) {
  const uint8_t ch = ChooseGlyphChar(e.Con);
  if (ch == 0) return;
  if (CopyGlyphIn(e.Edit, *e.Font, ch, e.FontType, e.Look.Style) != TGlyphRead::Found) {
    e.Message = std::string("The font has no glyph ") + static_cast<char>(ch) + ".";
    return;
  }
  e.Selection.reset();
  KeepCursorInside(e);
  e.Message = std::string("Copied in from ") + static_cast<char>(ch) + ".";
}

void CopyInClipboard(TGlyphEditor& e) {
  if (e.Clipboard->Empty()) {
    e.Message = "The block clipboard is empty: copy a block with Ctrl+C first.";
    return;
  }
  e.Edit.Replace(PictureFromBlock(ConvertedBlock(*e.Clipboard, e.FontType, e.Look.Style)));
  e.Selection.reset();
  KeepCursorInside(e);
}

void SaveAsCharacter(TGlyphEditor& e) {
  const uint8_t ch = ChooseGlyphChar(e.Con);
  if (ch == 0) return;
  if (GetFontChars(*e.Font).find(static_cast<char>(ch)) != std::string::npos &&
      !MessageBox(e.Con, 1, "Warning", "Character exists. Proceed?", false))
    return;
  const TGlyphStoreResult result =
      StoreGlyph(*e.Font, ch, EncodeGlyph(e.Edit.Picture(), e.FontType), true);
  if (result.Status != TGlyphStore::Stored) {
    ReportGlyphStoreFailure(e.Con, *e.Font, result);
    return;
  }
  e.Message = std::string("Saved as ") + static_cast<char>(ch) + ".";
}
