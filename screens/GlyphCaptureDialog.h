#pragma once

#include "console/CellGrid.h"
#include "console/TextConsole.h"
#include "tdf/FontFile.h"
#include "tdf/GlyphCapture.h"

// The middle-button capture: asks for the character (and whether to replace
// one that exists), then stores block (corners in any order) of screen in
// the selected font of font. Refusals the user can act on are
// explained; false when nothing was stored, and the caller reports that.
bool CaptureGlyph(TTextConsole& con, TFontFile& font, const TCellGrid& screen,
                  const TCellBlock& block);

// Says why a glyph was not stored. When the font file changed since it was
// loaded, asks whether to load it again; YES reloads it with the same font
// selected (ReloadSameFont), so the next save goes into that font.
void ReportGlyphStoreFailure(TTextConsole& con, TFontFile& font, const TGlyphStoreResult& result);
