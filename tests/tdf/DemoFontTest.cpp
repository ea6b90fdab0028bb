// assets/demo.tdf, the font file the program opens by default, read back with
// the font loader and walked glyph by glyph.

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "tdf/FontFile.h"
#include "tdf/TdfFormat.h"

namespace {

const std::string kDemoFont = BRIXEL_SOURCE_DIR "/assets/demo.tdf";

std::vector<uint8_t> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// One glyph record decoded from its cell stream.
struct TGlyph {
  int Width = 0;
  int Height = 0;
  std::vector<std::vector<uint8_t>> Chars;  // per row
  std::vector<std::vector<uint8_t>> Attrs;  // per row, Color fonts only
};

// Decodes the record at `offset` of `block`; false (with a reason) when it
// runs past the block or has no end byte.
bool DecodeGlyph(const std::vector<uint8_t>& block, size_t offset, bool color, TGlyph& g,
                 std::string& why) {
  if (offset + 2 > block.size()) {
    why = "record starts outside the block";
    return false;
  }
  g.Width = block[offset];
  g.Height = block[offset + 1];
  g.Chars.assign(1, {});
  g.Attrs.assign(1, {});
  for (size_t i = offset + 2; i < block.size(); ++i) {
    const uint8_t b = block[i];
    if (b == 0) return true;
    if (b == 13) {
      g.Chars.emplace_back();
      g.Attrs.emplace_back();
      continue;
    }
    g.Chars.back().push_back(b);
    if (color) {
      if (++i >= block.size()) break;
      g.Attrs.back().push_back(block[i]);
    }
  }
  why = "cell stream runs past the end of the block";
  return false;
}

class DemoFontTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(LoadFontFile(kDemoFont, Demo)) << kDemoFont;
    file_ = ReadAll(kDemoFont);
    ASSERT_GE(file_.size(), static_cast<size_t>(kSignatureSize));
  }

  // The glyph block of font n as bytes, after selecting it.
  std::vector<uint8_t> Block(int n) {
    EXPECT_TRUE(SelectFont(Demo, n));
    const size_t start = static_cast<size_t>(Demo.Fonts[n].Offset) + kFontHeaderSize;
    const size_t end = start + BlockSizeOf(Demo.Header);
    EXPECT_LE(end, file_.size()) << "font " << n << " block runs past the end of the file";
    if (end > file_.size()) return {};
    return {file_.begin() + static_cast<std::ptrdiff_t>(start),
            file_.begin() + static_cast<std::ptrdiff_t>(end)};
  }

  TFontFile Demo;
  std::vector<uint8_t> file_;
};

TEST_F(DemoFontTest, HoldsOneBlockAndOneColorFontWithEveryCharacter) {
  ASSERT_EQ(Demo.Count(), 2);
  EXPECT_EQ(Demo.Fonts[1].Name, "Brixel Block");
  EXPECT_EQ(Demo.Fonts[1].FontType, ftBlock);
  EXPECT_EQ(Demo.Fonts[2].Name, "Brixel Color");
  EXPECT_EQ(Demo.Fonts[2].FontType, ftColor);
  EXPECT_EQ(Demo.Selected, 2) << "loading selects the last font";

  std::string all;
  for (int c = kFirstGlyphChar; c <= kLastGlyphChar; ++c) all += static_cast<char>(c);
  for (int n = 1; n <= 2; ++n) {
    ASSERT_TRUE(SelectFont(Demo, n));
    EXPECT_EQ(GetFontChars(Demo), all) << "font " << n;
    EXPECT_EQ(Demo.Header.Spacing, 1);
  }
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(file_.data()) + 1, 18), kSignatureText);
  EXPECT_EQ(file_[0], 19);
  EXPECT_EQ(file_[19], 0x1A);
}

TEST_F(DemoFontTest, FontsFollowEachOtherWithNothingAfterTheLast) {
  ASSERT_EQ(Demo.Count(), 2);
  ASSERT_TRUE(SelectFont(Demo, 1));
  EXPECT_EQ(Demo.Fonts[1].Offset, kSignatureSize);
  EXPECT_EQ(Demo.Fonts[2].Offset, kSignatureSize + kFontHeaderSize + BlockSizeOf(Demo.Header));
  ASSERT_TRUE(SelectFont(Demo, 2));
  EXPECT_EQ(file_.size(),
            static_cast<size_t>(Demo.Fonts[2].Offset) + kFontHeaderSize + BlockSizeOf(Demo.Header));
}

TEST_F(DemoFontTest, EveryGlyphRecordIsWholeAndInsideItsBlock) {
  ASSERT_EQ(Demo.Count(), 2);
  for (int n = 1; n <= 2; ++n) {
    const std::vector<uint8_t> block = Block(n);
    ASSERT_FALSE(block.empty());
    const bool color = Demo.Header.FontType == ftColor;
    for (int i = 0; i < kGlyphCount; ++i) {
      const char ch = static_cast<char>(kFirstGlyphChar + i);
      SCOPED_TRACE(testing::Message() << "font " << n << " glyph '" << ch << "'");
      TGlyph g;
      std::string why;
      ASSERT_TRUE(DecodeGlyph(block, GlyphOffsetOf(Demo.Header, i), color, g, why)) << why;
      // Small enough that a short sample fits the 80-column screen.
      EXPECT_GE(g.Height, 4);
      EXPECT_LE(g.Height, 8);
      EXPECT_GE(g.Width, 1);
      EXPECT_LE(g.Width, 8);
      ASSERT_EQ(static_cast<int>(g.Chars.size()), g.Height) << "rows end with 13 except the last";
      for (int r = 0; r < g.Height; ++r) {
        EXPECT_EQ(static_cast<int>(g.Chars[r].size()), g.Width) << "row " << r;
        for (const uint8_t c : g.Chars[r])
          EXPECT_TRUE(c == ' ' || c == 219 || c == 220 || c == 223) << "cell " << int(c);
        if (color) {
          ASSERT_EQ(g.Attrs[r].size(), g.Chars[r].size());
          for (const uint8_t a : g.Attrs[r]) {
            EXPECT_NE(a & 0x0F, 0) << "visible foreground";
            EXPECT_EQ(a & 0xF0, 0) << "black background";
          }
        }
      }
      bool anyInk = false;
      for (const auto& row : g.Chars)
        for (const uint8_t c : row) anyInk |= c != ' ';
      EXPECT_TRUE(anyInk);
    }
  }
}

TEST_F(DemoFontTest, ColorFontHasTheBlockFontsShapesInShadedRows) {
  ASSERT_EQ(Demo.Count(), 2);
  const std::vector<uint8_t> blockFont = Block(1);
  const TFontHeader blockHeader = Demo.Header;
  const std::vector<uint8_t> colorFont = Block(2);
  ASSERT_FALSE(blockFont.empty());
  ASSERT_FALSE(colorFont.empty());
  std::vector<int> rowColours;
  int sampleWidth = 0;
  for (int i = 0; i < kGlyphCount; ++i) {
    const char ch = static_cast<char>(kFirstGlyphChar + i);
    SCOPED_TRACE(testing::Message() << "glyph '" << ch << "'");
    TGlyph plain, shaded;
    std::string why;
    ASSERT_TRUE(DecodeGlyph(blockFont, GlyphOffsetOf(blockHeader, i), false, plain, why)) << why;
    ASSERT_TRUE(DecodeGlyph(colorFont, GlyphOffsetOf(Demo.Header, i), true, shaded, why)) << why;
    EXPECT_EQ(plain.Width, shaded.Width);
    EXPECT_EQ(plain.Height, shaded.Height);
    EXPECT_EQ(plain.Chars, shaded.Chars);
    // One colour per text row, the same in every glyph.
    for (size_t r = 0; r < shaded.Attrs.size(); ++r) {
      if (rowColours.size() <= r) rowColours.push_back(shaded.Attrs[r].front());
      for (const uint8_t a : shaded.Attrs[r]) EXPECT_EQ(a, rowColours[r]) << "row " << r;
    }
    if (std::string_view("Sample").find(ch) != std::string_view::npos)
      sampleWidth += plain.Width + blockHeader.Spacing;
  }
  EXPECT_LE(sampleWidth, 60) << "\"Sample\" takes at most three quarters of the screen";
  // Shaded: more than one colour from top to bottom.
  ASSERT_FALSE(rowColours.empty());
  EXPECT_NE(rowColours.front(), rowColours.back());
}

}  // namespace
