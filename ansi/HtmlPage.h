#pragma once

#include <string>
#include <string_view>

#include "console/CellPicture.h"
#include "console/Palette.h"

// A picture of cells as a standalone HTML page: a <pre> of spans, one span
// for every run of cells in one attribute, classes fN and bN (N 0-15) for
// the foreground and background colours, defined from the palette in the
// page's own style sheet. The characters are converted from code page 437 to
// UTF-8 and escaped; title is UTF-8.
std::string CellRowsToHtml(const TCellRows& rows, const TPalette& palette, std::string_view title);
