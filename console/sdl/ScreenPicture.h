#pragma once

#include <string>

#include "console/ScreenTypes.h"

// Pictures of character cells exactly as the window draws them (the same
// glyph code, the console's palette, no cursor), for brixel-cli's PNG output.
// Nothing here needs a display or SDL's video subsystem: surfaces live in
// memory only. This header names no SDL type, so brixel-cli's commands stay
// free of SDL; the drawing itself is internal to console/sdl.

// Rows firstRow..lastRow of screen, as many columns as row firstRow has, as
// the bytes of a PNG file drawn from the window's 8x16 glyph sheet (80x25.png,
// looked up as the window looks it up); cells a shorter row lacks are
// character 0 in attribute 0. False with the reason in why (among others
// when the rows are empty).
bool ScreenPicturePng(const TScreen& screen, int firstRow, int lastRow, std::string& png,
                      std::string& why);
