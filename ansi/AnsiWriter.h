#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "ansi/AnsiText.h"
#include "console/CellGrid.h"

// Writes the working area of the screen, rows 2..21 and columns 1..79, as an
// ANSI art file: the character bytes unchanged, colour escapes at every
// change of attribute, CR LF between rows. Nothing else: no reset, no cursor
// movement, no end-of-file byte, no metadata record, no line end at the end.
//
// The escapes are AnsiAttrChange's (AnsiText.h), which render --ans writes too:
// a bright background is blink.

// The bytes SaveAnsi writes for a screen. Cells the screen lacks count as
// character 0 in attribute 0.
std::string AnsiScreenBytes(const TCellGrid& screen);

// Writes the screen into fileName, a new file or a whole replacement of an
// old one (ReplaceFileContents). An empty name writes nothing and is no
// failure. On false, error holds the errno and an old file keeps its bytes.
bool SaveAnsi(std::string_view fileName, const TCellGrid& screen, int& error);
