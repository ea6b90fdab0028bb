#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "support/TdfBuilder.h"
#include "tdf/GlyphBlockCompact.h"
#include "tdf/GlyphRender.h"

namespace {

using TBytes = std::vector<uint8_t>;

TTdfFontPlan Font(std::map<uint8_t, TBytes> glyphs, std::map<uint8_t, uint16_t> offsets,
                  TBytes extra, uint8_t fontType = ftBlock) {
  TTdfFontPlan font;
  font.FontType = fontType;
  font.Glyphs = glyphs;
  font.OffsetOverrides = offsets;
  font.ExtraBlockBytes = extra;
  return font;
}

TEST(GlyphBlockCompact, KeepsWhatEveryGlyphReadsOnceAndDropsTheRest) {
  const TBytes ab = BlockGlyph({"ab"}), c = BlockGlyph({"c"});
  TTdfFontPlan cut = Font({{'A', BlockGlyph({"abc"})}}, {{'B', 3}, {'E', 8}, {'F', 15}, {'G', 40}},
                          {'j', 'j', 1, 1, 'q'});
  cut.BlockSize = 20;  // the file holds 11 bytes of it
  const struct {
    const char* Name;
    TTdfFontPlan Font;
    char Replace;  // 0: none
    TBytes Record, Block;
  } cases[] = {
      {"an old copy of 'A' goes, 'C' shares the new one, 'B' saved again keeps its place",
       Font({{'A', BlockGlyph({"old"})}, {'B', c}, {'Z', ab}},
            {{'A', 10}, {'C', 10}, {'Z', kAbsentGlyph}}, {'z', 'z'}),
       'B',
       BlockGlyph({"NEW"}),
       {3, 1, 'N', 'E', 'W', 0, 2, 1, 'a', 'b', 0}},
      {"'B' starts inside 'A', 'E' reads to the end and stays last, 'F' and 'G' point past it",
       cut,
       'D',
       c,
       {3, 1, 'a', 'b', 'c', 0, 1, 1, 'c', 0, 1, 1, 'q'}},
      {"Color: an attribute 0 and a '&' marker do not end a glyph early",
       Font({{'A', {1, 1, 'x', 0, '&', 0}}, {'B', {1, 1, 'y', 13, 0}}}, {}, {'g', 7}, ftColor),
       'C',
       ColorGlyph({"w"}, 0x1E),
       {1, 1, 'x', 0, '&', 0, 1, 1, 'y', 13, 0, 1, 1, 'w', 0x1E, 0}},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.Name);
    const TFontHeader header = HeaderFor(k.Font);
    const TBytes block = GlyphBlockFor(k.Font);
    const int replace = k.Replace ? k.Replace - kFirstGlyphChar : -1;
    const auto rebuilt = CompactGlyphBlock(header, block, replace, k.Record);
    ASSERT_TRUE(rebuilt.has_value());
    EXPECT_EQ(rebuilt->Bytes, k.Block);
    EXPECT_EQ(BlockSizeOf(rebuilt->Header), k.Block.size());
    for (int i = 0; i < kGlyphCount; ++i) {
      const TGlyphDrawing want =
          i == replace
              ? TGlyphDrawing{true, k.Record[0], k.Record[1],
                              GlyphCellRows(std::span(k.Record).subspan(2), k.Font.FontType)}
              : GlyphDrawingOf(header, block, i);
      EXPECT_EQ(GlyphDrawingOf(rebuilt->Header, rebuilt->Bytes, i), want) << char(i + '!');
      // Absent and pointing past the block are both no glyph: the header now says so.
      EXPECT_EQ(GlyphOffsetOf(rebuilt->Header, i) == kAbsentGlyph, !want.Present) << char(i + '!');
    }
    const auto again = CompactGlyphBlock(rebuilt->Header, rebuilt->Bytes);
    EXPECT_TRUE(again && again->Bytes == rebuilt->Bytes);  // a rebuilt block is compact
  }
}

}  // namespace
