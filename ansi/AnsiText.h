#pragma once

#include <string>

#include "console/ScreenTypes.h"

// Rows firstRow..lastRow of a screen as text with 16-colour ANSI escapes:
// one SGR sequence at every change of attribute, CR LF between rows and a
// reset at the end (for a terminal: a reset and LF after every row). Character 0 (a cleared cell) is written as a space.
// With utf8 the characters are converted from code page 437 and bright
// colours use the 90-97 / 100-107 codes a terminal shows; otherwise the
// bytes stay code page 437 and bright colours are bold and blink (iCE colour),
// as ANSI art viewers expect.
std::string ScreenRowsToAnsi(const TScreen& screen, int firstRow, int lastRow, bool utf8);

// The ANSI colour digit of a PC colour 0..7 (the mapping is its own inverse).
// Inline: the interpreter maps a colour for most of its escape sequences.
constexpr int AnsiColorDigit(int pcColor) {
  constexpr int kDigits[8] = {0, 4, 2, 6, 1, 5, 3, 7};
  return kDigits[pcColor & 7];
}
