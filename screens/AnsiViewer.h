#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "console/TextConsole.h"
#include "tdf/FontFile.h"

// The full-screen art viewer: the file read once (any format ReadArt knows),
// its picture drawn in the font and palette the file carries, a window of its
// rows on the screen, a percent bar on row 25 and the current font's
// characters on rows 23 and 24 (so a block of the art can be captured as a
// glyph while it is open). Keys scroll, F1 shows help, Ctrl+S exports the
// file as plain text, a middle-button drag captures the marked block as a
// glyph, ESC leaves. A picture wider than 80 columns also scrolls sideways
// (Left and Right, Ctrl+Home and Ctrl+End to its edges).

// Looks of the percent bar.
struct RecPercent {
  uint8_t BarWidth = 75;
  uint8_t EmptyChar = 223;  // upper half block
  uint8_t EmptyAttr = 8;
  uint8_t FullChar = 223;
  uint8_t FullAttr = 7;
};

// The bar for value of max with pipe colour codes: the filled part, then the
// empty part, BarWidth characters in all. percent receives the position
// 0..100; both are rounded to the nearest integer, halves to even.
std::string PercentBar(const RecPercent& bar, int value, int max, uint16_t& percent);

// Shows fileName on rows firstRow..lastRow of con until the user leaves, with
// the current font's characters on rows 23 and 24. fontChars answers them at
// every drawing, so a glyph captured while the viewer is open shows up in
// it. With captureFont, the console reports middle-button drags to the
// viewer instead of copying them, and each marked block is captured as a
// glyph of captureFont's selected font (CaptureGlyph). A name that is no
// file returns at once; a file that cannot be read, or is not of its format,
// is reported in a message box; of a file cut short the viewer shows what
// it holds, after a message that says so.
void ShowAnsiFile(TTextConsole& con, std::string_view fileName, uint8_t firstRow, uint8_t lastRow,
                  std::function<std::string()> fontChars = {}, TFontFile* captureFont = nullptr);
