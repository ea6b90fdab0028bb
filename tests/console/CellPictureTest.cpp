// Pictures of cells as PNG files: the layout each picture gets, its pixels
// as libpng reads them back, and glyph sheets read without SDL.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/CellGrid.h"
#include "console/GlyphSheet.h"
#include "console/PngWriter.h"
#include "console/RowStretch.h"
#include "support/PictureSupport.h"
#include "support/TempDir.h"

namespace {

// Every cell the full block (0xDB) in a colour of its own: count cells of
// one row, each with foreground i and background 0.
class TColorRows : public TCellRows {
 public:
  explicit TColorRows(int count) : Count(count) {}
  int Columns() const override { return Count; }
  int Rows() const override { return 1; }
  void ReadRow(int, std::span<TScreenChar> cells) const override {
    for (TScreenChar& cell : cells) cell = {0xDB, 0x07};
  }
  bool HasTrueColor() const override { return true; }
  void ReadTrueColorRow(int, std::span<TCellRgb> colors) const override {
    for (size_t i = 0; i < colors.size(); ++i) colors[i] = {ColorOf(static_cast<int>(i)), {}};
  }
  static TRgb ColorOf(int i) { return {uint8_t(i), uint8_t(i >> 8), 77}; }

 private:
  int Count;
};

TGlyphFont BlockFont() {
  TGlyphFont font{2, 256, std::vector<uint8_t>(512, 0)};
  font.Bits[0xDB * 2] = font.Bits[0xDB * 2 + 1] = 0xFF;
  font.Bits['-' * 2] = 0x3C;
  return font;
}

// An RGB picture of height copies of row.
std::vector<uint8_t> RgbPng(int width, int height, std::vector<uint8_t> row) {
  std::vector<uint8_t> png;
  TPngWriter writer([&png](std::span<const uint8_t> piece) {
    png.insert(png.end(), piece.begin(), piece.end());
    return true;
  });
  row.resize(static_cast<size_t>(width) * 3);
  bool written = writer.Start(width, height, TPngLayout::Rgb, {});
  for (int y = 0; y < height; ++y) written = written && writer.WriteRow(row);
  EXPECT_TRUE(written && writer.Finish()) << writer.Error();
  return png;
}

// Bit depth and colour type from the header.
std::pair<int, int> PngLayout(const std::vector<uint8_t>& png) {
  return png.size() > 25 ? std::pair{int{png[24]}, int{png[25]}} : std::pair{0, 0};
}

TEST(CellPictureTest, ChoosesTheSmallestLayoutThatHoldsTheColours) {
  const TGlyphFont font = BlockFont();
  struct {
    int Colors;
    std::pair<int, int> Layout;  // bit depth, colour type (3 paletted, 2 RGB)
  } cases[] = {{3, {4, 3}}, {16, {4, 3}}, {17, {8, 3}}, {256, {8, 3}}, {300, {8, 2}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Colors);
    std::vector<uint8_t> png;
    TPngPixels picture;
    std::string why;
    ASSERT_TRUE(DrawPicture(TColorRows(c.Colors), {font.View(), 9}, png, picture, why)) << why;
    EXPECT_EQ(PngLayout(png), c.Layout);
    ASSERT_EQ(picture.Width, c.Colors * 9);
    ASSERT_EQ(picture.Height, 2);
    for (int x = 0; x < picture.Width; ++x) {
      const TRgb want = TColorRows::ColorOf(x / 9);
      const uint8_t* p = picture.At(x, 1);
      ASSERT_EQ((TRgb{p[0], p[1], p[2]}), want) << x;
    }
  }
}

TEST(CellPictureTest, ScreenRowsArePalettedInTheLooksColours) {
  const TGlyphFont font = BlockFont();
  // A cell never written is character 0 on colour 0, as the grid was filled.
  TCellGrid screen(2, 2, TScreenChar{});
  screen.Put(0, 0, {'-', 0x1E});
  screen.Put(1, 0, {0xDB, 0x0C});
  screen.Put(0, 1, {'-', 0x4A});
  std::vector<uint8_t> png;
  TPngPixels picture;
  std::string why;
  ASSERT_TRUE(
      DrawPicture(TGridRows(screen, 0, 5), {font.View(), 8, kVgaPalette}, png, picture, why))
      << why;
  EXPECT_EQ(PngLayout(png), std::pair(4, 3));
  ASSERT_EQ(picture.Width, 16);
  ASSERT_EQ(picture.Height, 4);
  const auto at = [&](int x, int y) {
    const uint8_t* p = picture.At(x, y);
    return TRgb{p[0], p[1], p[2]};
  };
  EXPECT_EQ(at(0, 0), kVgaPalette[1]);   // '-' is dark at its edges
  EXPECT_EQ(at(3, 0), kVgaPalette[14]);  // and lit in the middle
  EXPECT_EQ(at(12, 1), kVgaPalette[12]);
  EXPECT_EQ(at(3, 2), kVgaPalette[10]);
  EXPECT_EQ(at(12, 3), kVgaPalette[0]);

  // Nothing to draw, and a sink that fails: false with a reason, never a picture.
  const auto refuses = [&](const TCellRows& rows, const TByteSink& sink) {
    why.clear();
    return !WriteCellPicturePng(rows, {font.View()}, sink, why) && !why.empty();
  };
  const TByteSink takes = [](std::span<const uint8_t>) { return true; };
  const TByteSink fails = [](std::span<const uint8_t>) { return false; };
  EXPECT_TRUE(refuses(TGridRows(screen, 2, 1), takes));
  EXPECT_TRUE(refuses(screen, fails));
}

TEST(CellPictureTest, TallPixelsMixOnlyTheRowsAnOutputRowStraddles) {
  const struct {
    std::vector<uint8_t> In, Out;  // one byte per row
  } cases[] = {
      {{10}, {10}},
      {{0, 255}, {0, 255}},
      {{0, 90, 210}, {0, 60, 130, 210}},
      {{0, 100, 200, 40}, {0, 75, 150, 160, 40}},
  };
  for (const auto& c : cases) {
    const int height = TallPixelsHeight(static_cast<int>(c.In.size()));
    TRowStretch stretch(static_cast<int>(c.In.size()), height, 1);
    std::vector<uint8_t> out;
    for (const uint8_t v : c.In)
      ASSERT_TRUE(stretch.Push(std::span(&v, 1), [&out](std::span<const uint8_t> row) {
        out.push_back(row[0]);
        return true;
      }));
    EXPECT_EQ(out, c.Out) << c.In.size() << " rows";
  }
}

TEST(CellPictureTest, GlyphSheetsAreReadAsBitsWithoutSdl) {
  struct {
    const char* File;
    int Height;
  } sheets[] = {{"80x25.png", 16}, {"80x50.png", 8}, {"132x50.png", 8}};
  for (const auto& s : sheets) {
    TGlyphFont font;
    std::string why;
    ASSERT_TRUE(LoadGlyphSheet(std::string(BRIXEL_SOURCE_DIR "/assets/") + s.File, font, why))
        << why;
    EXPECT_EQ(font.Height, s.Height) << s.File;
    EXPECT_TRUE(font.View().Valid());
    for (int y = 0; y < font.Height; ++y) {
      EXPECT_EQ(font.Bits[0xDB * font.Height + y], 0xFF) << s.File;  // the full block
      EXPECT_EQ(font.Bits[' ' * font.Height + y], 0x00) << s.File;
    }
  }

  // A sheet one pixel high written in colours: lit from half brightness on.
  std::vector<uint8_t> row(128 * 3, 0);
  row[0] = 200;                                        // glyph 0, pixel 0: red enough
  row[3 * 1 + 1] = 127;                                // pixel 1: not quite
  row[3 * 9] = row[3 * 9 + 1] = row[3 * 9 + 2] = 128;  // glyph 1, pixel 1: grey
  const std::vector<uint8_t> png = RgbPng(128, 16, row);
  TGlyphFont font;
  std::string why;
  ASSERT_TRUE(ReadGlyphSheet(png, font, why)) << why;
  EXPECT_EQ(font.Height, 1);
  EXPECT_EQ(font.Bits[0], 0x80);
  EXPECT_EQ(font.Bits[1], 0x40);
  EXPECT_EQ(font.Bits[16], 0x80);  // the second row of glyphs repeats the first

  // Not a sheet: another width, a height that is no whole glyph, a cut file, no PNG at all.
  const std::vector<uint8_t> cut(png.begin(), png.begin() + png.size() / 2);
  const std::vector<uint8_t> text = {'n', 'o', ' ', 'P', 'N', 'G'};
  for (const auto& bytes : {RgbPng(120, 16, row), RgbPng(128, 24, row), cut, text}) {
    why.clear();
    EXPECT_FALSE(ReadGlyphSheet(bytes, font, why));
    EXPECT_FALSE(why.empty());
  }
  TTempDir dir;
  EXPECT_FALSE(LoadGlyphSheet(dir.File("missing.png"), font, why));
  EXPECT_NE(why.find("missing.png"), std::string::npos) << why;
}

}  // namespace
