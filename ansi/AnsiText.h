#pragma once

#include <cstdint>
#include <string>

#include "console/CellGrid.h"
#include "console/CellPicture.h"
#include "console/Palette.h"

// How a picture of cells is written as text with ANSI escapes.
enum class TAnsiForm : uint8_t {
  // Code page 437 bytes and AnsiAttrChange's escapes (a bright background as
  // blink), as the S command saves a screen and BBS software shows art: CR
  // LF between rows and a reset at the end.
  Cp437,
  // For a terminal: the characters converted from code page 437 to UTF-8,
  // the bright colours as the 90-97 / 100-107 codes, a reset and LF after
  // every row.
  Utf8,
  // The same with 24-bit colour escapes (38;2 and 48;2) giving each
  // attribute's exact colours in a palette, or the cells' own exact colours
  // when the rows have them.
  TrueColor,
};

// Every row of a picture as text with colour escapes at every change of
// attribute. Character 0 (a cleared cell) is written as a space. With blink,
// attribute bit 7 is a blinking foreground over the dark background (code 5)
// in the terminal forms, not a bright background; Cp437 writes it as ANSI
// art always does (background and 5).
std::string CellRowsToAnsi(const TCellRows& rows, TAnsiForm form,
                           const TPalette& palette = kClassicPalette, bool blink = false);
// Every row of a picture as plain UTF-8 text, the characters of the Utf8
// form without its colours: a cleared cell (0) and 255 are spaces, as in the
// plain-text export of art, the spaces at the end of a row are left out, and
// every row ends with LF.
std::string CellRowsToText(const TCellRows& rows);

// The escape text for one pipe colour code in ANSI art: 0..7 a dark
// foreground (followed by the background of attr, so that a reset of the
// foreground keeps the background), 8..15 a bright foreground (bold), 16..23
// a background, 24..31 a bright background (the background and blink, which
// ANSI art readers show as a bright background); else empty.
std::string AnsiColorCode(uint8_t code, uint8_t attr);
// The escapes that take a reader of ANSI art from attribute from (-1: a
// reader that starts in light grey on black) to attribute to: the codes of
// its foreground and of its background. Readers (Brixel's too) switch blink
// off only with a reset, so leaving a bright background for a dark one under a
// bright foreground (whose code resets nothing) starts with one.
std::string AnsiAttrChange(int from, uint8_t to);

// The ANSI colour digit of a PC colour 0..7 (the mapping is its own inverse).
// Inline: the interpreter maps a colour for most of its escape sequences.
constexpr int AnsiColorDigit(int pcColor) {
  constexpr int kDigits[8] = {0, 4, 2, 6, 1, 5, 3, 7};
  return kDigits[pcColor & 7];
}
