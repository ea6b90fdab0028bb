#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "console/GlyphBits.h"

// Glyph sheets (80x25.png and its kin): PNG pictures of 16 x 16 glyphs, each
// 8 pixels wide and 1..32 high, lit pixels on black, read into bits without
// SDL so the window and the PNG pictures share them.
//
// The sheets are pure white on black. A pixel counts as lit when it is
// opaque (alpha 128 or more) and its brightest channel is 128 or more, so a
// sheet drawn with grey edges or in a colour still gives its glyphs' shapes;
// they are drawn in the cell's foreground colour like any other.

// The glyphs of a sheet held in png; false with the reason in why for a file
// that is no PNG, or a picture that is not 128 pixels wide and 16 to 512 high
// in steps of 16.
bool ReadGlyphSheet(std::span<const uint8_t> png, TGlyphFont& font, std::string& why);
// The same from the file at path.
bool LoadGlyphSheet(std::string_view path, TGlyphFont& font, std::string& why);
