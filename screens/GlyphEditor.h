#pragma once

#include <cstdint>

#include "console/KeyCodes.h"
#include "console/TextConsole.h"
#include "screens/FontLook.h"
#include "tdf/CellBlock.h"
#include "tdf/FontFile.h"

// Edits glyph ch ('!'..'~') of the selected font of font, as its file holds
// it now, until the user leaves with Esc; an absent glyph starts as an empty
// 1x1 glyph. Block and Outline cells are drawn as look says, and the sample
// text below the glyph in the font as edited. Ctrl+PgUp and Ctrl+PgDn go on
// to the character before or after. Saving stores the glyph in the font file
// and reloads font with the same font selected. clipboard holds the block
// copied last; it outlives the run, so blocks move between glyphs and fonts.
// The Outline style O left the editor in goes back into look.
void EditGlyph(TTextConsole& con, TFontFile& font, uint8_t ch, TFontLook& look,
               const TSample& sample, TGlyphPiece& clipboard);
