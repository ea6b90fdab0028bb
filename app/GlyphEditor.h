#pragma once

#include <cstdint>

// The G command: asks for a character with the " TDF Chars " browser and
// edits that glyph of the selected font.
void EditGlyphCommand();

// Edits glyph ch ('!'..'~') of the selected font until the user leaves with
// Esc; an absent glyph starts as an empty 1x1 glyph. Saving stores the glyph
// in the font file and reloads it with the same font selected.
void EditGlyph(uint8_t ch);

// While an editor runs, a left click arrives as the key bytes 0,
// kScanMouseClick, column, row (1-based).
constexpr uint8_t kScanMouseClick = 0xF0;
