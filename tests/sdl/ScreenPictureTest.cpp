// brixel-cli's PNG pictures against the window: the same cells, shown in the
// real console and written as PNG bytes, must give the same pixels.

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "SdlConsoleFixture.h"
#include "ansi/AnsiFile.h"
#include "ansi/AnsiInterpreter.h"
#include "console/sdl/ScreenPicture.h"

namespace {

class ScreenPictureTest : public SdlConsoleTest {
 protected:
  // 25 rows of the art from row first on, in the window and in the PNG;
  // answers the pixels that differ, or -1 when something could not be made.
  int DifferingPixels(const std::string& path, int first) {
    auto ansi = std::make_unique<TMsgBaseAnsi>();
    int error = 0;
    if (!LoadAnsiFile(path, *ansi, error) || ansi->Lines < first + Con->Rows - 1) return -1;
    const TScreen art = AnsiImageScreen(*ansi);
    Con->GotoXY(1, 1);
    for (int r = 1; r <= Con->Rows; ++r)
      for (int c = 1; c <= Con->Cols; ++c) {
        const TScreenChar cell = art[first + r - 1][c];
        Con->PutCell(c, r, cell.Ch, cell.Attr);
      }
    if (!WaitForScreen()) return -1;

    std::string png, why;
    if (!ScreenPicturePng(art, first, first + Con->Rows - 1, png, why)) return -1;
    const TSurfacePtr picture(IMG_Load_RW(SDL_RWFromConstMem(png.data(), static_cast<int>(png.size())), 1));
    if (!picture || picture->w != Con->PixelWidth || picture->h != Con->PixelHeight) return -1;
    int differing = 0;
    Con->ReadBackSurface([&](const SDL_Surface* back) {
      for (int y = 0; y < picture->h; ++y)
        for (int x = 0; x < picture->w; ++x)
          differing += SurfacePixel(picture.get(), x, y) != SurfacePixel(back, x, y);
    });
    return differing;
  }
};

TEST_F(ScreenPictureTest, DemoArtIsTheWindowPixelForPixel) {
  // The bottom holds the colour chart: every foreground on every dark background.
  EXPECT_EQ(DifferingPixels(BRIXEL_SOURCE_DIR "/assets/demo.ans", 32), 0);
}

TEST_F(ScreenPictureTest, CorpusPieceIsTheWindowPixelForPixel) {
  // Its top rows use bright backgrounds (attribute bit 7).
  const std::string piece = BRIXEL_CORPUS_DIR "/ans/ee-cl.ans";
  if (!std::filesystem::exists(piece)) GTEST_SKIP() << "no corpus";
  EXPECT_EQ(DifferingPixels(piece, 1), 0);
}

}  // namespace
