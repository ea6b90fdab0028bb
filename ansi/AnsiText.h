#pragma once

#include <cstdint>
#include <string>

#include "console/ScreenTypes.h"

// Rows firstRow..lastRow of a screen as text with 16-colour ANSI escapes:
// escapes at every change of attribute, CR LF between rows and a reset at the
// end (for a terminal: a reset and LF after every row). Character 0 (a
// cleared cell) is written as a space. With utf8 the characters are converted
// from code page 437 and bright colours use the 90-97 / 100-107 codes a
// terminal shows; otherwise the bytes stay code page 437 and the escapes are
// AnsiAttrChange's, as the S command saves a screen.
std::string ScreenRowsToAnsi(const TScreen& screen, int firstRow, int lastRow, bool utf8);

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
