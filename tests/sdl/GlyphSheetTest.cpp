// The glyph sheets in assets/ as SDL_image loads them: geometry, pure
// black-and-white pixels, and glyphs that the screen relies on.

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace {

struct SurfaceDeleter {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

struct SheetCase {
  const char* File;
  int CellWidth;
  int CellHeight;
};
void PrintTo(const SheetCase& c, std::ostream* os) {
  *os << c.File;
}

// The sheet as a grid of lit/dark pixels, plus how many pixels were neither
// pure black nor pure white (or not opaque).
struct Sheet {
  int Width = 0;
  int Height = 0;
  int CellWidth = 0;
  int CellHeight = 0;
  int ImpurePixels = 0;
  std::vector<bool> Lit;

  bool At(int glyph, int x, int y) const {
    const int px = (glyph % 16) * CellWidth + x;
    const int py = (glyph / 16) * CellHeight + y;
    return Lit[static_cast<size_t>(py) * Width + px];
  }
  int LitCount(int glyph) const {
    int n = 0;
    for (int y = 0; y < CellHeight; ++y)
      for (int x = 0; x < CellWidth; ++x) n += At(glyph, x, y);
    return n;
  }
  bool RowFull(int glyph, int y) const {
    for (int x = 0; x < CellWidth; ++x)
      if (!At(glyph, x, y)) return false;
    return true;
  }
  bool ColumnFull(int glyph, int x) const {
    for (int y = 0; y < CellHeight; ++y)
      if (!At(glyph, x, y)) return false;
    return true;
  }
  bool TouchesLeft(int g) const { return AnyIn(g, 0, 0, 1, CellHeight); }
  bool TouchesRight(int g) const { return AnyIn(g, CellWidth - 1, 0, CellWidth, CellHeight); }
  bool TouchesTop(int g) const { return AnyIn(g, 0, 0, CellWidth, 1); }
  bool TouchesBottom(int g) const { return AnyIn(g, 0, CellHeight - 1, CellWidth, CellHeight); }
  bool AnyIn(int glyph, int x0, int y0, int x1, int y1) const {
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x)
        if (At(glyph, x, y)) return true;
    return false;
  }
};

std::string AssetPath(const char* file) {
  return std::string(BRIXEL_SOURCE_DIR "/assets/") + file;
}

// Reads through a 32-bit copy so the test does not depend on the stored format.
bool LoadSheet(const SheetCase& c, Sheet& sheet) {
  SurfacePtr loaded(IMG_Load(AssetPath(c.File).c_str()));
  if (!loaded) return false;
  SurfacePtr rgba(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGBA32, 0));
  if (!rgba || SDL_LockSurface(rgba.get()) != 0) return false;
  sheet.Width = rgba->w;
  sheet.Height = rgba->h;
  sheet.CellWidth = rgba->w / 16;
  sheet.CellHeight = rgba->h / 16;
  sheet.Lit.assign(static_cast<size_t>(rgba->w) * rgba->h, false);
  for (int y = 0; y < rgba->h; ++y) {
    const auto* row = static_cast<const uint8_t*>(rgba->pixels) + y * rgba->pitch;
    for (int x = 0; x < rgba->w; ++x) {
      const uint8_t* p = row + 4 * x;
      const bool white = p[0] == 255 && p[1] == 255 && p[2] == 255;
      const bool black = p[0] == 0 && p[1] == 0 && p[2] == 0;
      if ((!white && !black) || p[3] != 255) ++sheet.ImpurePixels;
      sheet.Lit[static_cast<size_t>(y) * rgba->w + x] = white;
    }
  }
  SDL_UnlockSurface(rgba.get());
  return true;
}

class GlyphSheetTest : public testing::TestWithParam<SheetCase> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(LoadSheet(GetParam(), sheet_)) << GetParam().File << ": " << IMG_GetError();
  }
  Sheet sheet_;
};

TEST_P(GlyphSheetTest, IsSixteenBySixteenCellsOfPureBlackAndWhite) {
  const SheetCase& c = GetParam();
  EXPECT_EQ(sheet_.Width, 16 * c.CellWidth);
  EXPECT_EQ(sheet_.Height, 16 * c.CellHeight);
  EXPECT_EQ(sheet_.ImpurePixels, 0) << "grey, coloured or transparent pixels";
}

TEST_P(GlyphSheetTest, BlankAndPrintableGlyphs) {
  EXPECT_EQ(sheet_.LitCount(0), 0) << "glyph 0";
  EXPECT_EQ(sheet_.LitCount(' '), 0);
  EXPECT_EQ(sheet_.LitCount(255), 0) << "non-breaking space";
  for (int g = 33; g <= 126; ++g) EXPECT_GT(sheet_.LitCount(g), 0) << "glyph " << g;
  // Code page 437 shows pictographs where ASCII has control codes.
  for (int g = 1; g <= 31; ++g) EXPECT_GT(sheet_.LitCount(g), 0) << "glyph " << g;
  EXPECT_GT(sheet_.LitCount(127), 0) << "house glyph";
  // Glyph order: the underscore (the cursor shape) sits in the lowest quarter.
  const int h = sheet_.CellHeight;
  EXPECT_FALSE(sheet_.AnyIn('_', 0, 0, sheet_.CellWidth, h - h / 4));
  EXPECT_TRUE(sheet_.AnyIn('_', 0, h - h / 4, sheet_.CellWidth, h));
}

TEST_P(GlyphSheetTest, BlocksAndShadesFillTheCell) {
  const int area = sheet_.CellWidth * sheet_.CellHeight;
  EXPECT_EQ(sheet_.LitCount(219), area) << "full block";
  // Upper (223) and lower (220) half blocks cover the cell between them exactly
  // once, each as whole rows from its own edge; the split row is the font's.
  int upperRows = 0;
  for (int y = 0; y < sheet_.CellHeight; ++y) {
    const bool up = sheet_.RowFull(223, y);
    const bool down = sheet_.RowFull(220, y);
    EXPECT_NE(up, down) << "row " << y;
    EXPECT_EQ(up, !sheet_.AnyIn(220, 0, y, sheet_.CellWidth, y + 1)) << "row " << y;
    upperRows += up;
  }
  EXPECT_GT(upperRows, 0);
  EXPECT_LT(upperRows, sheet_.CellHeight);
  for (int y = 0; y < upperRows; ++y) EXPECT_TRUE(sheet_.RowFull(223, y)) << "row " << y;
  EXPECT_TRUE(sheet_.ColumnFull(221, 0)) << "left half block";
  EXPECT_TRUE(sheet_.ColumnFull(222, sheet_.CellWidth - 1)) << "right half block";
  // Light, medium and dark shade get darker in that order.
  EXPECT_LT(0, sheet_.LitCount(176));
  EXPECT_LT(sheet_.LitCount(176), sheet_.LitCount(177));
  EXPECT_LT(sheet_.LitCount(177), sheet_.LitCount(178));
  EXPECT_LT(sheet_.LitCount(178), area);
}

TEST_P(GlyphSheetTest, BoxDrawingReachesTheCellEdges) {
  bool anyFullRow = false;
  for (int y = 0; y < sheet_.CellHeight; ++y) anyFullRow |= sheet_.RowFull(196, y);
  EXPECT_TRUE(anyFullRow) << "horizontal line 196 spans the cell";
  bool anyFullColumn = false;
  for (int x = 0; x < sheet_.CellWidth; ++x) anyFullColumn |= sheet_.ColumnFull(179, x);
  EXPECT_TRUE(anyFullColumn) << "vertical line 179 spans the cell";

  // Which edges each line joins, so frames drawn from them are unbroken.
  struct Edges {
    int Glyph;
    bool Left, Right, Top, Bottom;
  };
  const Edges boxes[] = {
      {197, true, true, true, true},   {206, true, true, true, true},
      {218, false, true, false, true}, {191, true, false, false, true},
      {192, false, true, true, false}, {217, true, false, true, false},
      {201, false, true, false, true}, {188, true, false, true, false},
      {205, true, true, false, false}, {186, false, false, true, true},
      {195, false, true, true, true},  {180, true, false, true, true},
  };
  for (const Edges& e : boxes) {
    EXPECT_EQ(sheet_.TouchesLeft(e.Glyph), e.Left) << "glyph " << e.Glyph;
    EXPECT_EQ(sheet_.TouchesRight(e.Glyph), e.Right) << "glyph " << e.Glyph;
    EXPECT_EQ(sheet_.TouchesTop(e.Glyph), e.Top) << "glyph " << e.Glyph;
    EXPECT_EQ(sheet_.TouchesBottom(e.Glyph), e.Bottom) << "glyph " << e.Glyph;
  }
}

INSTANTIATE_TEST_SUITE_P(Assets, GlyphSheetTest,
                         testing::Values(SheetCase{"80x25.png", 8, 16},
                                         SheetCase{"80x50.png", 8, 8},
                                         SheetCase{"132x50.png", 8, 8}),
                         [](const testing::TestParamInfo<SheetCase>& info) {
                           std::string name = std::string("Sheet") + info.param.File;
                           name.resize(name.size() - 4);  // ".png"
                           for (char& ch : name)
                             if (ch == 'x') ch = '_';
                           return name;
                         });

}  // namespace
