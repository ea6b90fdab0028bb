#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "tdf/TdfFormat.h"

// Rebuilding a font's glyph block so that it holds each glyph once: a glyph
// saved again replaces its old record instead of adding to it.

struct TGlyphBlock {
  TFontHeader Header;
  std::vector<uint8_t> Bytes;
};

// Whether record is one whole glyph record of fontType: Width, Height and a
// cell stream that ends with the 0 that is its last byte (EncodeGlyph's).
bool WholeGlyphRecord(std::span<const uint8_t> record, uint8_t fontType);

// The font of header with its glyph block rebuilt from block (the bytes the
// file holds of it, which may be fewer than BlockSize). What each glyph reads
// (Width, Height and its cell stream through the 0 that ends it) is copied
// byte for byte, once, in the old order: glyphs that share or overlap bytes
// keep sharing them, a glyph that reads on to the end of the block stays
// last, bytes no glyph reads are dropped, offsets and BlockSize are rebuilt.
// An offset outside the block (a glyph that draws nothing) becomes absent.
// When replace is a glyph index (0..93), the whole record becomes that glyph,
// in the place of its old record. Every other glyph draws as before
// (GlyphDrawingOf). nullopt when the block would pass 65535 bytes.
std::optional<TGlyphBlock> CompactGlyphBlock(const TFontHeader& header,
                                             std::span<const uint8_t> block, int replace = -1,
                                             std::span<const uint8_t> record = {});
