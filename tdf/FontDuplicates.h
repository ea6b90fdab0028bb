#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "tdf/FontCollection.h"
#include "tdf/TdfFormat.h"

// Fonts that draw the same: a collection shrinks to its unique faces by
// keeping one font of each group.

// What a font draws, as canonical bytes: its type and spacing, then for
// every character '!'..'~' whether it has a glyph and, if so, the glyph's
// Width, Height and the cells it draws, row by row. Two fonts with the same
// face draw every text alike, whatever their names, the order of their
// glyphs in the block, glyph records they share or bytes no glyph reads.
std::string FontFace(const TFontHeader& header, std::span<const uint8_t> block);

// The groups of two or more of fonts (fonts of collection) with the same
// face, as indices into fonts, each group in the order of fonts and the
// groups in the order of their first fonts. Fonts that cannot be read or
// have no valid header are in none. Faces are compared by a hash, then byte
// for byte among the fonts of one hash, so memory holds the faces of one
// hash at a time, not of the whole collection.
std::vector<std::vector<size_t>> DuplicateFonts(const TFontCollection& collection,
                                                std::span<const TCollectedFont* const> fonts);
