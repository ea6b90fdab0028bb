#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "ansi/ArtFormat.h"
#include "support/ArtSamples.h"
#include "support/TempDir.h"

namespace {

// An image as ImageMagick writes binary PPM: "P6", width, height, 255, a
// blank, then R, G, B per pixel.
struct TRgbImage {
  int Width = 0, Height = 0, Depth = 0;
  std::vector<uint8_t> Pixels;
  TRgb At(int x, int y) const {
    const size_t i = 3 * (static_cast<size_t>(y) * Width + x);
    return {Pixels[i], Pixels[i + 1], Pixels[i + 2]};
  }
};

bool ReadPpm(const std::string& path, TRgbImage& image) {
  const std::vector<uint8_t> bytes = ReadFileBytes(path);
  std::istringstream in(std::string(bytes.begin(), bytes.end()));
  std::string magic;
  if (!(in >> magic >> image.Width >> image.Height >> image.Depth) || magic != "P6") return false;
  image.Pixels.assign(bytes.begin() + static_cast<std::ptrdiff_t>(in.tellg()) + 1, bytes.end());
  return image.Pixels.size() == 3 * static_cast<size_t>(image.Width) * image.Height;
}

bool Succeeds(const std::string& command) {
  return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

// The colour a reader gives a cell that shows one colour only: the
// foreground of a full block, the background of a space.
bool SolidColour(const TArtPicture& picture, int x, int y, TRgb& colour) {
  const TScreenChar cell = picture.At(x, y);
  if (cell.Ch != 0xDB && cell.Ch != ' ') return false;
  const bool fg = cell.Ch == 0xDB;
  if (const auto exact = picture.TrueColorAt(x, y)) {
    colour = fg ? exact->Fg : exact->Bg;
    return true;
  }
  const TPalette& palette = picture.Palette ? *picture.Palette : kVgaPalette;
  colour = palette[fg ? cell.Attr & 15 : cell.Attr >> 4];
  return true;
}

// Each sample file drawn by ansilove (with iCE colours and the SAUCE width)
// shows, in every solid cell, the colour the reader gives that cell.
TEST(ArtAnsilove, SolidCellsHaveTheColoursAnsiloveDraws) {
  if (!Succeeds("command -v ansilove") || !Succeeds("command -v convert"))
    GTEST_SKIP() << "ansilove or ImageMagick's convert is not installed";
  const TTempDir dir;
  for (const TArtSample& sample :
       {BinSample(), XBinRawSample(), XBinCompressedSample(), ArtWorxSample(), IceDrawSample(),
        TundraSample(), PcBoardSample()}) {
    SCOPED_TRACE(sample.FileName);
    const std::string file = dir.Write(sample.FileName, sample.Bytes);
    const std::string png = dir.File("out.png"), ppm = dir.File("out.ppm");
    ASSERT_TRUE(Succeeds("ansilove -i -S -o '" + png + "' '" + file + "'"));
    ASSERT_TRUE(Succeeds("convert '" + png + "' '" + ppm + "'"));
    TRgbImage image;
    ASSERT_TRUE(ReadPpm(ppm, image));

    const TArtPicture& picture = ReadArt(sample.Bytes, sample.FileName).Picture;
    const int height = picture.Font ? picture.Font->Height : 16;
    EXPECT_EQ(image.Width, picture.Width() * 8);
    int compared = 0;
    for (int y = 0; y < picture.Rows() && (y + 1) * height <= image.Height; ++y) {
      for (int x = 0; x < picture.Width(); ++x) {
        TRgb want;
        if (!SolidColour(picture, x, y, want)) continue;
        const TRgb got = image.At(x * 8 + 4, y * height + height / 2);
        EXPECT_EQ(got, want) << "cell " << x << "," << y;
        ++compared;
      }
    }
    EXPECT_GT(compared, 0);
  }
}

}  // namespace
