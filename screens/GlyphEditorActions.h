#pragma once

#include <cstdint>

#include "console/TextConsole.h"
#include "screens/GlyphEditorScreen.h"
#include "tdf/CellMirror.h"

// What the glyph editor's keys and mouse do to its state. Each action tells
// the user through e.Message what went wrong or what it did; every change
// of the glyph is one undo step.

void KeepCursorInside(TGlyphEditor& e);
void MoveCursor(TGlyphEditor& e, int dx, int dy);

// The block: Shift with an arrow marks from where the cursor was (or
// stretches the block marked), a plain move drops the mark.
void MarkTo(TGlyphEditor& e, int dx, int dy);
// Ctrl+C and Ctrl+X: the marked block into the clipboard (Ctrl+X also
// undefines it).
void CopyMarked(TGlyphEditor& e, bool cut);
// Ctrl+V: the clipboard floats on the cursor, in this font's terms; Enter
// stamps it (StampPaste), Esc drops it.
void StartPaste(TGlyphEditor& e);
void StampPaste(TGlyphEditor& e);
// H, V, F and Del with a block marked. False when nothing is marked (the
// key then does what it does without one).
bool FlipMarked(TGlyphEditor& e, TFlip flip);
bool FillMarked(TGlyphEditor& e);
bool UndefineMarked(TGlyphEditor& e);

// Ctrl+G: another character's glyph of this font, as the file holds it,
// becomes this one. Ctrl+B: the clipboard becomes this glyph. Ctrl+W: this
// glyph is stored as another character's too (asking before replacing one).
void CopyInGlyph(TGlyphEditor& e);
void CopyInClipboard(TGlyphEditor& e);
void SaveAsCharacter(TGlyphEditor& e);

// A press, drag or release of the mouse: the left button paints the brush
// (Shift: marks a block; Alt: picks), the right one undefines, the middle
// one picks the character and colour under it; on the strip, left and right
// choose the foreground and background. A whole drag is one undo step.
void MouseAction(TGlyphEditor& e, const TMouseEvent& m);
