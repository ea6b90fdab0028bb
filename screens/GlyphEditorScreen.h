#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "console/TextConsole.h"
#include "screens/FontLook.h"
#include "tdf/CellBlock.h"
#include "tdf/FontFile.h"
#include "tdf/GlyphEdit.h"

// What the glyph editor shows and works on: the glyph, the cursor cell, the
// part of the glyph in view, the colour and character new cells take, the
// marked block and a paste still floating.
struct TGlyphEditor {
  explicit TGlyphEditor(TTextConsole& con) : Con(con) {}

  TTextConsole& Con;          // the screen the editor is drawn on and reads its input from
  TFontFile* Font = nullptr;  // the font file the glyph is saved into
  TFontLook Look;             // Block and Outline cells' colour, the Outline style, the status row
  std::string SampleText;     // drawn below the glyph in the font as edited
  TGlyphPiece* Clipboard = nullptr;  // the block clipboard, lent for the whole run
  uint8_t Ch = 0;
  uint8_t FontType = 0;
  TGlyphEdit Edit;
  int X = 0, Y = 0;          // cursor cell, 0-based
  int ViewX = 0, ViewY = 0;  // first cell in view
  uint8_t Fg = 15, Bg = 0;
  uint8_t Brush = 0xDB;  // what the mouse paints: the character last typed or chosen
  // The marked block: from Anchor to the cursor cell.
  std::optional<TCellRect> Selection;
  int AnchorX = 0, AnchorY = 0;
  // A paste that floats with its top-left cell on the cursor until Enter.
  std::optional<TGlyphPiece> Floating;
  // What the mouse button held down does, and the glyph cell it was last on.
  enum class TDrag : uint8_t { None, Paint, Erase, Mark };
  TDrag Drag = TDrag::None;
  int DragX = 0, DragY = 0;
  std::string Message;  // shown once, instead of the first help row

  uint8_t Attr() const { return static_cast<uint8_t>(Fg + Bg * 16); }
};

// The glyph's place on the screen: its top-left cell, and how many columns
// and rows of it fit inside the frame between the status row and the
// colour strip.
constexpr int kGlyphLeft = 2;
constexpr int kGlyphTop = 3;
int ViewColumns(const TTextConsole& con);
int ViewLines(const TTextConsole& con);
// The row of the colour strip (Color fonts) or the legend of the roles
// (Outline fonts), above the two help rows; each colour has two columns
// from column 1.
int StripRow(const TTextConsole& con);
constexpr int kStripColumnsPerColour = 2;

// The role of an Outline cell for the status row ("E top-left corner").
std::string OutlineRoleName(uint8_t cell);

// Redraws the whole editor screen, scrolling the view to the cursor, and
// leaves the console cursor on the cursor cell.
void DrawGlyphEditor(TGlyphEditor& e);
