#pragma once

#include "console/CellGrid.h"
#include "console/TextConsole.h"
#include "tdf/FontFile.h"

// The middle-button capture: asks for the character (and whether to replace
// one that exists), then stores block (corners in any order) of screen in
// the selected font of font. Refusals the user can act on are
// explained; false when nothing was stored, and the caller reports that.
bool CaptureGlyph(TTextConsole& con, TFontFile& font, const TCellGrid& screen,
                  const TCellBlock& block);
