// brixel-cli's PNG pictures against the window, and against the pictures it
// wrote before they were drawn without SDL: the glyph sheet as SDL_image
// loads it, every cell drawn into a 32-bit surface in the window's palette,
// saved by SDL_image. Both sides are compared as libpng decodes them.

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "SdlConsoleFixture.h"
#include "ansi/AnsiFile.h"
#include "ansi/AnsiInterpreter.h"
#include "console/GlyphSheet.h"
#include "support/ConsoleTestSupport.h"
#include "support/PictureSupport.h"
#include "support/TempDir.h"
#include "tdf/FontFile.h"
#include "tdf/GlyphRender.h"
#include "util/DataFiles.h"

namespace {

// Rows first..last of the screen as brixel-cli draws them now.
bool NewPicture(const TCellGrid& screen, int first, int last, TPngPixels& picture) {
  TGlyphFont glyphs;
  std::string why;
  std::vector<uint8_t> png;
  const bool drawn = LoadGlyphSheet(FindDataFile("80x25.png"), glyphs, why) &&
                     DrawPicture(TGridRows(screen, first - 1, last - first + 1), {glyphs.View()},
                                 png, picture, why);
  EXPECT_TRUE(drawn) << why;
  return drawn;
}

// The same rows as they were drawn before.
bool OldPicture(const TCellGrid& screen, int first, int last, TPngPixels& picture) {
  TSheetPixels sheet;
  if (!sheet.Load(FindDataFile("80x25.png"))) return false;
  const int cw = sheet.CellWidth, ch = sheet.CellHeight;
  const int cols = screen.Width();
  const TSurfacePtr surface(SDL_CreateRGBSurfaceWithFormat(0, cols * cw, (last - first + 1) * ch,
                                                           32, SDL_PIXELFORMAT_RGB888));
  if (!surface) return false;
  for (int y = 0; y < surface->h; ++y) {
    auto* row =
        reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(surface->pixels) + y * surface->pitch);
    for (int x = 0; x < surface->w; ++x) {
      const TScreenChar cell = screen.At(x / cw, first - 1 + y / ch);
      const bool lit = sheet.Lit(cell.Ch, x % cw, y % ch);
      row[x] = PackRgb(ConsolePalette[lit ? cell.Attr & 15 : cell.Attr >> 4]);
    }
  }
  const TTempDir dir;
  const std::string file = dir.File("before.png");
  std::string why;
  return IMG_SavePNG(surface.get(), file.c_str()) == 0 &&
         DecodePng(ReadFileBytes(file), std::numeric_limits<size_t>::max(), picture, why);
}

long DifferingFromBefore(const TCellGrid& screen, int first, int last) {
  TPngPixels now, before;
  if (!NewPicture(screen, first, last, now) || !OldPicture(screen, first, last, before)) return -1;
  return DifferingPixels(now, before);
}

bool LoadArt(const std::string& path, TCellGrid& screen, int& lines) {
  auto ansi = std::make_unique<TMsgBaseAnsi>();
  int error = 0;
  if (!LoadAnsiFile(path, *ansi, error)) return false;
  screen = ArtPictureGrid(ansi->Picture(), 0, ansi->Lines());
  lines = ansi->Lines();
  return true;
}

using ScreenPictureBeforeTest = HeadlessConsoleTest;

TEST_F(ScreenPictureBeforeTest, DemoFontDemoArtAndEveryCorpusArtAsBefore) {
  // The demo font in two colours at the two ends of the screen, as render draws it.
  TFontFile demo;
  ASSERT_TRUE(LoadFontFile(BRIXEL_SOURCE_DIR "/assets/demo.tdf", demo));
  Con.SetTextAttr(7);
  Con.ClrScr();
  Con.SetTextAttr(12);
  DrawFontText(Con, demo, 1, 1, "Brixel", {12});
  Con.SetTextAttr(0x1E);
  DrawFontText(Con, demo, 30, 16, "4:2!", {0x1E});
  EXPECT_EQ(DifferingFromBefore(Con.Screen, 1, Con.Rows), 0);

  std::vector<std::string> art = {BRIXEL_SOURCE_DIR "/assets/demo.ans"};
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(BRIXEL_CORPUS_DIR "/ans", ec))
    art.push_back(entry.path().string());
  if (art.size() == 1) std::cout << "no corpus: the demo art only\n";
  for (const std::string& path : art) {
    TCellGrid screen;
    int lines = 0;
    ASSERT_TRUE(LoadArt(path, screen, lines)) << path;
    EXPECT_EQ(DifferingFromBefore(screen, 1, lines), 0) << path;
  }
}

class ScreenPictureTest : public SdlConsoleTest {
 protected:
  // 25 rows of the art from row first on, in the window and in the PNG;
  // answers the pixels that differ, or -1 when something could not be made.
  long DifferingFromWindow(const std::string& path, int first) {
    TCellGrid art;
    int lines = 0;
    if (!LoadArt(path, art, lines) || lines < first + Con->Rows - 1) return -1;
    Con->GotoXY(1, 1);
    for (int r = 1; r <= Con->Rows; ++r)
      for (int c = 1; c <= Con->Cols; ++c) {
        const TScreenChar cell = art.At(c - 1, first + r - 2);
        Con->PutCell(c, r, cell.Ch, cell.Attr);
      }
    if (!WaitForScreen()) return -1;

    TPngPixels picture;
    if (!NewPicture(art, first, first + Con->Rows - 1, picture)) return -1;
    if (picture.Width != Window->PixelWidth || picture.Height != Window->PixelHeight) return -1;
    long differing = 0;
    Window->ReadBackSurface([&](const SDL_Surface* back) {
      for (int y = 0; y < picture.Height; ++y)
        for (int x = 0; x < picture.Width; ++x) {
          const uint8_t* p = picture.At(x, y);
          differing += PackRgb({p[0], p[1], p[2]}) != SurfacePixel(back, x, y);
        }
    });
    return differing;
  }
};

TEST_F(ScreenPictureTest, DemoArtIsTheWindowPixelForPixel) {
  // The bottom holds the colour chart: every foreground on every dark background.
  EXPECT_EQ(DifferingFromWindow(BRIXEL_SOURCE_DIR "/assets/demo.ans", 31), 0);
}

TEST_F(ScreenPictureTest, CorpusPieceIsTheWindowPixelForPixel) {
  // Its top rows use bright backgrounds (attribute bit 7).
  const std::string piece = BRIXEL_CORPUS_DIR "/ans/ee-cl.ans";
  if (!std::filesystem::exists(piece)) GTEST_SKIP() << "no corpus";
  EXPECT_EQ(DifferingFromWindow(piece, 1), 0);
}

}  // namespace
