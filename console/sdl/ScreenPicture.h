#pragma once

#include <string>

#include "console/ScreenTypes.h"
#include "console/sdl/GlyphRenderer.h"
#include "console/sdl/SdlHandles.h"

// Pictures of character cells exactly as the window draws them (the same
// glyph code, the console's palette, no cursor), for brixel-cli's PNG output.
// Nothing here needs a display or SDL's video subsystem: surfaces live in
// memory only.

constexpr int kPictureCellWidth = 8;
constexpr int kPictureCellHeight = 16;

// Rows firstRow..lastRow of screen, as many columns as row firstRow has, in
// glyphs' current cell size; cells a shorter row lacks are character 0 in
// attribute 0. Null when the rows are empty or the surface cannot be made.
TSurfacePtr DrawScreenPicture(const TGlyphRenderer& glyphs, const TScreen& screen, int firstRow,
                              int lastRow);

// The same rows as the bytes of a PNG file, drawn from the window's 8x16
// glyph sheet (80x25.png, looked up as the window looks it up). False with
// the reason in why.
bool ScreenPicturePng(const TScreen& screen, int firstRow, int lastRow, std::string& png,
                      std::string& why);
