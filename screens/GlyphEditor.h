#pragma once

#include <cstdint>

#include "console/KeyCodes.h"  // kScanMouseClick: how a click reaches the editor
#include "screens/FontLook.h"
#include "tdf/FontFile.h"

// Edits glyph ch ('!'..'~') of the selected font of font, as its file holds
// it now, until the user leaves with Esc; an absent glyph starts as an empty
// 1x1 glyph. Block and Outline cells are drawn as look says. Saving stores
// the glyph in the font file and reloads font with the same font selected.
void EditGlyph(TFontFile& font, uint8_t ch, const TFontLook& look);
