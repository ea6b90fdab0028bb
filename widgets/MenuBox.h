#pragma once

#include <cstdint>
#include <string>

#include "console/CellGrid.h"
#include "console/TextConsole.h"

// The eight characters of one frame style, in drawing order.
struct TFrameChars {
  uint8_t TopLeft;
  uint8_t Top;
  uint8_t TopRight;
  uint8_t Left;
  uint8_t Right;
  uint8_t BottomLeft;
  uint8_t Bottom;
  uint8_t BottomRight;
};

// Styles 1..8: single, double, double sides, double top and bottom, solid
// blocks, blocks with half-block corners, blank, plain ASCII. A style outside
// 1..8 draws as style 1.
const TFrameChars& FrameChars(uint8_t style);

// A framed rectangle on the console with 3-D colouring, an optional title on
// the top edge and a see-through drop shadow. The first Box call keeps the
// screen from before, so Close can put it back; a box destroyed without Close
// stays on the screen.
//
// Colours of the frame parts (raised / sunken):
//   top-left corner, top edge       Color  / Color4
//   top-right corner                Color4 / Color
//   left edge and the inside        Color  / Color2
//   right edge                      Color2 / Color
//   bottom-left corner              Color3 / Color2
//   bottom edge, bottom-right       Color2 / Color3
class TMenuBox {
 public:
  // A box drawn on con: Title empty, TitleAlign 0, every other setting from
  // kConTheme.
  explicit TMenuBox(TTextConsole& con);

  // Draws the box with its corners at (x1, y1) and (x2, y2). Coordinates are
  // the caller's to keep on the screen; shadow cells beyond it are skipped.
  void Box(uint8_t x1, uint8_t y1, uint8_t x2, uint8_t y2);
  // Puts back the screen from before the first Box (nothing when never drawn).
  void Close();

  TTextConsole& Con;
  TCellGrid SavedScreen;
  uint8_t FrameStyle;
  uint8_t Color;
  bool Use3D;  // when false, Box sets Color2..Color4 to Color
  uint8_t Color2;
  uint8_t Color3;
  uint8_t Color4;
  bool Shadow;
  uint8_t ShadowColor;
  uint8_t TitleColor;
  // 0 centred over the inside, 1 left, 2 right (inside the corners); 3, 4, 5
  // replace the whole top edge with the title centred, left- or right-justified.
  uint8_t TitleAlign = 0;
  std::string Title;
  bool Saved = false;
  bool Sunken;
};

// The look every dialog gives its box right after creating it: a dark grey
// single-line frame with a white top-right and a light grey bottom-left
// corner, a light cyan title at the left, and a dark grey shadow.
void SetDialogLook(TMenuBox& box);
