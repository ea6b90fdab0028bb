#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "console/ScreenTypes.h"

struct TFontFile;

// Turning a marked block of a picture into a glyph of a font.

// A cell of a picture by 1-based column and row.
using TCellSource = std::function<TScreenChar(int x, int y)>;

// The glyph record of the block (x1, y1)..(x2, y2), corners in any order:
// Width, Height, the cells row by row (Color fonts with their attributes),
// 13 between rows and 0 at the end (EncodeGlyph). A cell holding 0 or 13
// would end the glyph or its row when read back, so it is stored as a space,
// as is a Color '&' that would read as a row-end marker. The block must fit
// a glyph (BlockFitsGlyph).
std::vector<uint8_t> GlyphRecordFromBlock(const TCellSource& cells, int x1, int y1, int x2, int y2,
                                          bool color);

// Whether the block (x1, y1)..(x2, y2), corners in any order, fits a glyph:
// Width and Height are bytes, so at most 255 columns and 255 rows.
bool BlockFitsGlyph(int x1, int y1, int x2, int y2);

// BlockTooLarge is the answer of the capture paths' BlockFitsGlyph check.
enum class TGlyphStore : uint8_t { Stored, NoFont, Outline, TooLarge, BlockTooLarge, Failed };
struct TGlyphStoreResult {
  TGlyphStore Status = TGlyphStore::Failed;
  // The errno of a failed read or write, or a FontFileErrorText code (a font
  // read from a FIGlet font is never written: kFigletFont); 0 when there is none.
  int Error = 0;
};

// Makes record (a whole glyph record, WholeGlyphRecord) the glyph of ch in
// the selected font of font. That font's glyph block is rebuilt
// (CompactGlyphBlock), so a glyph saved again replaces its old record and
// the font does not grow; every other glyph draws as before, and every other
// byte of the file (other fonts, a trailer after the last one) stays as it
// is. The file is written beside the old one and renamed into place, then
// font is reloaded with the same font selected (ReloadFontFile). Outline
// fonts are refused unless outlineCells says the record holds their role
// letters (a captured picture is no outline).
TGlyphStoreResult StoreGlyph(TFontFile& font, uint8_t ch, std::span<const uint8_t> record,
                             bool outlineCells = false);
// What a refused store says to the user (empty for Stored).
std::string GlyphStoreMessage(const TGlyphStoreResult& result);
