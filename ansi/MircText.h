#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "console/CellPicture.h"

// Pictures of cells as IRC text with mIRC colour codes, for pasting banners
// into a channel: every row a line, "^C" FG "," BG (two digits each, so a
// digit that follows is text) at the row's start and at every change of
// attribute, the characters converted from code page 437 to UTF-8.

// The mIRC colour (0 white, 1 black, 2 navy, 3 green, 4 red, 5 maroon, 6
// purple, 7 orange, 8 yellow, 9 light green, 10 teal, 11 cyan, 12 blue, 13
// pink, 14 grey, 15 light grey) nearest to each PC colour, as most ANSI to
// IRC converters map them: brown shows as orange, dark red as maroon.
inline constexpr std::array<uint8_t, 16> kMircColorOfPc = {1,  2,  3, 10, 5, 6,  7, 15,
                                                           14, 12, 9, 11, 4, 13, 8, 0};

std::string CellRowsToMirc(const TCellRows& rows);
