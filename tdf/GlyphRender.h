#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// Draws text with the selected font (CurrentHeader of the font unit) through
// the console layer. Block and Outline fonts draw in the caller's attribute
// (Outline cells through OutlineStyle), Color fonts in their own; a font of
// another type draws nothing. Glyph data is read from the font file for every
// glyph, so the screen always shows what is on disk.

void DrawFontText(int x, int y, std::string_view text);
// Draw one glyph with its top-left cell at (x, y); answer its advance width.
uint8_t DrawBlockGlyph(int x, int y, uint8_t ch);
uint8_t DrawColorGlyph(int x, int y, uint8_t ch);
uint8_t DrawOutlineGlyph(int x, int y, uint8_t ch);

// Plays a glyph's cell stream (the bytes after Width and Height, up to the end
// of the font's glyph block) at (x, y). Never reads outside cells.
void DrawGlyphCells(int x, int y, std::span<const uint8_t> cells, uint8_t fontType);
