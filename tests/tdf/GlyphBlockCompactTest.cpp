#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

#include "support/TdfBuilder.h"
#include "tdf/GlyphBlockCompact.h"
#include "tdf/GlyphRender.h"

namespace {

using TBytes = std::vector<uint8_t>;

int Index(uint8_t ch) {
  return ch - kFirstGlyphChar;
}

TTdfFontSpec Font(std::map<uint8_t, TBytes> glyphs, std::map<uint8_t, uint16_t> offsets = {},
                  TBytes extra = {}, uint8_t fontType = ftBlock) {
  TTdfFontSpec font;
  font.FontType = fontType;
  font.Glyphs = std::move(glyphs);
  font.OffsetOverrides = std::move(offsets);
  font.ExtraBlockBytes = std::move(extra);
  return font;
}

TTdfFontSpec WithBlockSize(TTdfFontSpec font, uint16_t size) {
  font.BlockSize = size;
  return font;
}

TEST(GlyphBlockCompact, KeepsWhatEveryGlyphReadsOnceAndDropsTheRest) {
  const TBytes a = BlockGlyph({"ab"}), b = BlockGlyph({"c"}), newB = BlockGlyph({"NEW"});
  const struct {
    const char* Name;
    TTdfFontSpec Font;
    int Replace;
    TBytes Record;
    TBytes Block;
    std::map<uint8_t, uint16_t> Offsets;
  } cases[] = {
      {"an old copy of 'A' goes, 'C' keeps sharing the new one",
       Font({{'A', BlockGlyph({"old"})}, {'B', b}, {'Z', BlockGlyph({"xy"})}},
            {{'A', 10}, {'C', 10}, {'Z', kAbsentGlyph}}, {'z', 'z'}),
       -1,
       {},
       {1, 1, 'c', 0, 2, 1, 'x', 'y', 0},
       {{'A', 4}, {'B', 0}, {'C', 4}, {'Z', kAbsentGlyph}}},
      {"'B' starts inside 'A', 'E' reads to the end and stays last, the new 'D' goes before it",
       Font({{'A', BlockGlyph({"abc"})}}, {{'B', 3}, {'E', 8}}, {'j', 'j', 1, 1, 'q'}),
       Index('D'),
       BlockGlyph({"n"}),
       {3, 1, 'a', 'b', 'c', 0, 1, 1, 'n', 0, 1, 1, 'q'},
       {{'A', 0}, {'B', 3}, {'D', 6}, {'E', 10}}},
      {"a glyph saved again takes its old place",
       Font({{'A', a}, {'B', b}, {'C', a}}),
       Index('B'),
       newB,
       {2, 1, 'a', 'b', 0, 3, 1, 'N', 'E', 'W', 0, 2, 1, 'a', 'b', 0},
       {{'A', 0}, {'B', 5}, {'C', 11}}},
      {"offsets past the bytes the file holds draw nothing and become absent",
       WithBlockSize(Font({{'A', a}}, {{'B', 12}, {'C', 30}}), 20),
       -1,
       {},
       a,
       {{'A', 0}, {'B', kAbsentGlyph}, {'C', kAbsentGlyph}}},
      {"Color: an attribute 0 and a '&' marker do not end the glyph early",
       Font({{'A', {1, 1, 'x', 0, '&', 0}}, {'B', {2, 1, 'y', 0, 'z', 13, 0}}}, {}, {'g', 7},
            ftColor),
       Index('C'),
       ColorGlyph({"w"}, 0x1E),
       {1, 1, 'x', 0, '&', 0, 2, 1, 'y', 0, 'z', 13, 0, 1, 1, 'w', 0x1E, 0},
       {{'A', 0}, {'B', 6}, {'C', 13}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const TFontHeader header = HeaderFor(c.Font);
    const TBytes block = GlyphBlockFor(c.Font);
    const auto rebuilt = CompactGlyphBlock(header, block, c.Replace, c.Record);
    ASSERT_TRUE(rebuilt.has_value());
    EXPECT_EQ(rebuilt->Bytes, c.Block);
    EXPECT_EQ(BlockSizeOf(rebuilt->Header), c.Block.size());
    for (const auto& [ch, offset] : c.Offsets)
      EXPECT_EQ(GlyphOffsetOf(rebuilt->Header, Index(ch)), offset) << ch;
    for (int i = 0; i < kGlyphCount; ++i) {
      if (i == c.Replace) continue;
      EXPECT_EQ(GlyphDrawingOf(rebuilt->Header, rebuilt->Bytes, i),
                GlyphDrawingOf(header, block, i))
          << static_cast<char>(kFirstGlyphChar + i);
    }
    // Rebuilding again changes nothing.
    const auto again = CompactGlyphBlock(rebuilt->Header, rebuilt->Bytes);
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(again->Bytes, rebuilt->Bytes);
  }
}

}  // namespace
