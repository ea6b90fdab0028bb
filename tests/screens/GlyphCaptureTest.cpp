#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "screens/GlyphCaptureDialog.h"
#include "screens/GlyphCharBrowser.h"
#include "support/FontUnitFixture.h"
#include "tdf/FontOps.h"
#include "tdf/GlyphCapture.h"
#include "tdf/GlyphRender.h"

namespace {

using TBytes = std::vector<uint8_t>;
constexpr int kRight = 77, kDown = 80, kEnd = 79, kHome = 71, kLeft = 75, kUp = 72;

class GlyphCapture : public FontUnitFixture {
 protected:
  // A screen whose cell (x, y) shows 'a' + x - 1 on attribute y.
  TCellGrid Picture() const {
    TCellGrid s(80, 25);
    for (int y = 1; y <= 25; ++y)
      for (int x = 1; x <= 80; ++x)
        s.Put(x - 1, y - 1, {static_cast<uint8_t>('a' + (x - 1) % 26), static_cast<uint8_t>(y)});
    return s;
  }
  void Mark(int left, int top, int right, int bottom) { Marked = {left, top, right, bottom}; }
  // The glyph block of the loaded file's font n.
  TBytes Block(int n) {
    const TBytes all = ReadFileBytes(Loaded.Path);
    EXPECT_TRUE(SelectFont(Loaded, n));
    const size_t start = static_cast<size_t>(Loaded.Fonts[n].Offset) + kFontHeaderSize;
    return TBytes(all.begin() + start, all.begin() + start + BlockSizeOf(Loaded.Header));
  }

  TCellBlock Marked;
};

TEST_F(GlyphCapture, NewFileGetsTheRecordTheOffsetAndTheBlockSize) {
  const struct {
    uint8_t Type;
    int X1, Y1, X2, Y2;
    TBytes Block;
  } cases[] = {
      {ftColor, 3, 2, 7, 4, {5,   3,   'c', 2,   'd', 2,   'e', 2,   'f', 2,   'g', 2,
                             13,  'c', 3,   'd', 3,   'e', 3,   'f', 3,   'g', 3,   13,
                             'c', 4,   'd', 4,   'e', 4,   'f', 4,   'g', 4,   0}},
      {ftBlock,
       7,
       4,
       3,
       2,  // corners swapped
       {5,   3,   'c', 'd', 'e', 'f', 'g', 13,  'c', 'd',
        'e', 'f', 'g', 13,  'c', 'd', 'e', 'f', 'g', 0}},
      {ftBlock, 9, 9, 9, 9, {1, 1, 'i', 0}},
  };
  for (const auto& c : cases) {
    const std::string path = Dir.File("new.tdf");
    int error = 0;
    ASSERT_TRUE(CreateFontFile(path, "New", c.Type, error));
    ASSERT_TRUE(LoadFontFile(path, Loaded));
    Mark(c.X1, c.Y1, c.X2, c.Y2);
    Keys({0, kHome});
    Keys("\r");  // '!'
    ASSERT_TRUE(CaptureGlyph(Con, Loaded, Picture(), Marked));
    EXPECT_EQ(ReadFileBytes(path).size(), 233 + c.Block.size());
    EXPECT_EQ(Block(1), c.Block);
    EXPECT_EQ(GlyphOffsetOf(Loaded.Header, 0), 0);
    EXPECT_EQ(GetFontChars(Loaded)[0], '!');
  }
}

TEST_F(GlyphCapture, ACharacterCapturedAgainAsksAndReplacesItsRecord) {
  const std::string path = Dir.File("new.tdf");
  int error = 0;
  ASSERT_TRUE(CreateFontFile(path, "New", ftBlock, error));
  ASSERT_TRUE(LoadFontFile(path, Loaded));
  Mark(1, 1, 2, 1);
  Keys("\r");
  ASSERT_TRUE(CaptureGlyph(Con, Loaded, Picture(), Marked));
  Mark(3, 1, 3, 1);
  Keys("\rn");  // exists: no
  EXPECT_FALSE(CaptureGlyph(Con, Loaded, Picture(), Marked));
  EXPECT_EQ(Block(1), (TBytes{2, 1, 'a', 'b', 0}));
  Keys("\ry");
  ASSERT_TRUE(CaptureGlyph(Con, Loaded, Picture(), Marked));
  EXPECT_EQ(Block(1), (TBytes{1, 1, 'c', 0}));
  EXPECT_EQ(GlyphOffsetOf(Loaded.Header, 0), 0);
}

TEST_F(GlyphCapture, TheSecondOfThreeFontsTakesTheGlyphAndTheOthersKeepTheirBytes) {
  TTdfBuilder b;
  for (const char* name : {"One", "Two", "Three"}) {
    TTdfFontPlan font;
    font.Name = name;
    font.FontType = ftColor;
    font.Glyphs = {{'A', ColorGlyph({name}, 0x1E)}};
    b.Font(font);
  }
  LoadBuilt(b, 2);
  const TBytes one = Block(1), three = Block(3);
  ASSERT_TRUE(SelectFont(Loaded, 2));
  TCellGrid picture = Picture();
  picture.Put(9, 4, {0, 0x4F});    // a cleared cell
  picture.Put(10, 4, {13, 0x4F});  // a row end
  Mark(10, 5, 12, 5);
  Keys({0, kDown, 0, kHome});
  Keys("\r");  // 'P'
  ASSERT_TRUE(CaptureGlyph(Con, Loaded, picture, Marked));
  EXPECT_EQ(Loaded.Selected, 2);  // still the font the user works on
  ASSERT_EQ(Loaded.Count(), 3);
  EXPECT_EQ(Block(1), one);
  EXPECT_EQ(Block(3), three);
  ASSERT_TRUE(SelectFont(Loaded, 2));
  Con.SetTextAttr(7);
  Con.ClrScr();
  DrawFontText(Con, Loaded, 1, 1, "P");
  EXPECT_EQ(Visible(1).substr(0, 4), "  l ");  // 0 and 13 were stored as spaces
  EXPECT_EQ(Con.GetAttrAt(1, 1), 0x4F);
}

TEST_F(GlyphCapture, RefusalsWriteNothing) {
  TTdfBuilder b;
  TTdfFontPlan outline;
  outline.Name = "Outline";
  outline.FontType = ftOutline;
  TTdfFontPlan full;
  full.Name = "Full";
  full.Glyphs = {{'A', BlockGlyph({std::string(250, 'x')})}};
  // 'C' reads on to the end of the block: every byte of it is glyph data.
  full.ExtraBlockBytes.assign(65535 - 256, 'z');
  full.OffsetOverrides = {{'C', 253}};
  b.Font(outline).Font(full);
  const std::string path = LoadBuilt(b, 1);
  const TBytes before = ReadFileBytes(path);
  Mark(1, 1, 2, 2);
  const TCellSource xs = [](int, int) { return TScreenChar{'x', 7}; };
  EXPECT_EQ(StoreGlyph(Loaded, 'B', GlyphRecordFromBlock(xs, 1, 1, 2, 2, false)).Status,
            TGlyphStore::Outline);
  ASSERT_TRUE(SelectFont(Loaded, 2));
  EXPECT_EQ(StoreGlyph(Loaded, 'B', BlockGlyph({"xxxxxxx"})).Status, TGlyphStore::TooLarge);
  EXPECT_EQ(StoreGlyph(Loaded, 'B', TBytes(10, 'x')).Status,
            TGlyphStore::Failed);  // no whole record
  EXPECT_EQ(ReadFileBytes(path), before);
  Keys("\r");  // the browser; then the message says why
  ASSERT_TRUE(SelectFont(Loaded, 1));
  EXPECT_FALSE(CaptureGlyph(Con, Loaded, Picture(), Marked));
  const int32_t starved = Con.StarvedReads;
  Mark(0, 1, 255, 2);  // 256 columns: more than a Width byte holds
  Keys("\r");          // the message's OK: no character is asked for
  EXPECT_FALSE(CaptureGlyph(Con, Loaded, Picture(), Marked));
  EXPECT_EQ(Con.StarvedReads, starved);
  Loaded.Path.clear();
  EXPECT_FALSE(CaptureGlyph(Con, Loaded, Picture(), Marked));  // "No Font Selected!"
  EXPECT_EQ(ReadFileBytes(path), before);

  // A file replaced since it was loaded holds no header at font 2's offset any more.
  ASSERT_TRUE(LoadFontFile(path, Loaded) && SelectFont(Loaded, 2));
  TTdfFontPlan other;
  other.Glyphs = {{'A', BlockGlyph({std::string(200, 'q')})}};
  const TBytes replaced = TTdfBuilder().Font(other).Bytes();
  Dir.Write("font.tdf", replaced);
  EXPECT_EQ(StoreGlyph(Loaded, 'B', BlockGlyph({"b"})).Status, TGlyphStore::Failed);
  EXPECT_EQ(ReadFileBytes(path), replaced);
}

TEST_F(GlyphCapture, TheBrowserMovesInItsGrid) {
  const struct {
    std::vector<int> Keys;
    uint8_t Chosen;
  } cases[] = {
      {{0, kEnd, 0, kRight, 13}, 'O'},
      {{0, kDown, 0, kEnd, 13}, '~'},
      {{0, kDown, 13}, 'P'},
      {{0, kRight, 0, kRight, 0, kLeft, 0, kDown, 0, kUp, 13}, '"'},
      {{0, kLeft, ' ', 13}, '!'},
      // A typed character is jumped to, on either row; the arrows go on from there.
      {{0, kRight, 'x', 13}, 'x'},
      {{'~', 'Q', 0, kLeft, 13}, 'P'},
      {{0, kRight, 27}, 0},
  };
  for (const auto& c : cases) {
    for (const int k : c.Keys) Keys({k});
    EXPECT_EQ(ChooseGlyphChar(Con), c.Chosen);
  }
  EXPECT_TRUE(Con.KeyBufferEmpty());
}

}  // namespace
