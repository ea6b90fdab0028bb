#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "ansi/ArtPicture.h"
#include "app/cli/CliArgs.h"
#include "console/Palette.h"
#include "console/ScreenTypes.h"

// Writes rows firstRow..lastRow of screen to path as a PNG picture, cells
// drawn as the window draws them (its 8x16 glyph sheet, its palette, no
// cursor), streamed into the file row by row. Failures are reported as the
// command's; the output is refused when it is one of the inputs.
bool WriteScreenPng(const TCliCommand& command, const std::string& path, const TScreen& screen,
                    int firstRow, int lastRow, std::initializer_list<std::string_view> inputs);

// Writes a picture read from an art file to path the same way, in the file's
// own font and palette where it carries them, else in the window's glyphs
// and palette; with ice false, blinking cells on their dark background.
bool WriteArtPng(const TCliCommand& command, const std::string& path, const TArtPicture& picture,
                 bool ice, const TPalette& palette, std::initializer_list<std::string_view> inputs);
