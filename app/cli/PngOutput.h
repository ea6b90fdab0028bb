#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "ansi/ArtPicture.h"
#include "app/cli/CliArgs.h"
#include "console/CellPicture.h"
#include "console/Palette.h"
#include "console/ScreenTypes.h"

// Writes a picture of cells to path as a PNG picture, cells drawn as the
// window draws them (its 8x16 glyph sheet, no cursor) in palette, streamed
// into the file row by row. Failures are reported as the command's; the
// output is refused when it is one of the inputs.
bool WriteCellsPng(const TCliCommand& command, const std::string& path, const TCellRows& rows,
                   const TPalette& palette, std::initializer_list<std::string_view> inputs);
// The same onto standard output, refused when that is a terminal.
bool WriteCellsPngToStdout(const TCliCommand& command, const TCellRows& rows,
                           const TPalette& palette);

// Writes a picture read from an art file to path the same way, in the file's
// own font and palette where it carries them, else in the window's glyphs
// (8x8 for a record naming an 8-pixel font) and palette, 9 pixels a cell
// when the record asks; blinking cells (Hints.Ice false) on their dark
// background; with tallPixels stretched 1.35 times in height.
bool WriteArtPng(const TCliCommand& command, const std::string& path, const TArtPicture& picture,
                 const TPalette& palette, bool tallPixels,
                 std::initializer_list<std::string_view> inputs);
