#pragma once

#include <span>
#include <string>
#include <vector>

#include "console/TextConsole.h"
#include "screens/FontLook.h"
#include "tdf/FontFile.h"

// Block and Outline fonts are drawn in the look's colour, which + and -
// change; Color fonts bring their own colours.
bool DrawnInBlockColor(const TFontFile& font);

// The 80-column status line for font n of a font file.
std::string StatusLine(const TFontFile& font, int n);
// Writes it on row 1 byte for byte in look.StatusAttr, then leaves the text
// attribute at the colour the sample is drawn in.
void DrawStatusLine(TTextConsole& con, const TFontFile& font, int n, const TFontLook& look);
// "Error Opening File!" at the cursor: what the window has always shown for
// a font file that is there but cannot be opened or read.
void WriteFontOpenError(TTextConsole& con);

// A key and what it does in a word or two, as the first screen names it.
struct TKeyHint {
  std::string Key;
  std::string Does;
};

// What the main screen shows besides the font.
struct TMainScreenView {
  TFontLook Look;
  TSample Sample;
  uint8_t IdleAttr = 8;     // set just before the caller waits for a key
  bool KeepScreen = false;  // keep the screen and skip the sample text
  // Named on row 25 after the help key (and the Outline style), as many as fit.
  std::vector<TKeyHint> Hint;
};

// One redraw of the main screen on con for font n of font as the caller
// selected it: status line, sample text (unless KeepScreen; where a file that
// is no longer readable says so), character list, help key, Outline style and
// hint. Leaves the cursor after the help key, in IdleAttr, ready to wait for
// a key.
void DrawMainScreen(TTextConsole& con, const TFontFile& font, int n, bool readable,
                    const TMainScreenView& view);

// The help screen with one pipe-coded line per key, in two columns of 18;
// returns after any key.
void ShowHelp(TTextConsole& con, std::span<const std::string> lines);
