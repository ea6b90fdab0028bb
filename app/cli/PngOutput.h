#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "app/cli/CliArgs.h"
#include "console/ScreenTypes.h"

// Writes rows firstRow..lastRow of screen to path as a PNG picture, cells
// drawn as the window draws them (its 8x16 glyph sheet, its palette, no
// cursor), streamed into the file row by row. Failures are reported as the
// command's; the output is refused when it is one of the inputs.
bool WriteScreenPng(const TCliCommand& command, const std::string& path, const TScreen& screen,
                    int firstRow, int lastRow, std::initializer_list<std::string_view> inputs);
