#pragma once

#include <cstdint>
#include <string>

#include "screens/FontLook.h"
#include "tdf/FontFile.h"
#include "tdf/GlyphEdit.h"

// What the glyph editor shows and works on: the glyph, the cursor cell, the
// part of the glyph in view and the colour typed cells take.
struct TGlyphEditor {
  TFontFile* Font = nullptr;  // the font file the glyph is saved into
  TFontLook Look;             // Block and Outline cells' colour, the Outline style, the status row
  uint8_t Ch = 0;
  uint8_t FontType = 0;
  TGlyphEdit Edit;
  int X = 0, Y = 0;          // cursor cell, 0-based
  int ViewX = 0, ViewY = 0;  // first cell in view
  uint8_t Fg = 15, Bg = 0;
  std::string Message;  // shown once, instead of the first help row

  uint8_t Attr() const { return static_cast<uint8_t>(Fg + Bg * 16); }
};

// The glyph's place on the screen: its top-left cell, and how many columns
// and rows of it fit inside the frame between the status and help rows.
constexpr int kGlyphLeft = 2;
constexpr int kGlyphTop = 3;
int ViewColumns();
int ViewLines();

// The role of an Outline cell for the status row ("E top-left corner").
std::string OutlineRoleName(uint8_t cell);

// Redraws the whole editor screen, scrolling the view to the cursor, and
// leaves the console cursor on the cursor cell.
void DrawGlyphEditor(TGlyphEditor& e);
