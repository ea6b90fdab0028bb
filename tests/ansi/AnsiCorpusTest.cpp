// Every ANSI art file of the shared corpus drawn by Brixel and by ansilove,
// the converter the art archives use, compared cell by cell.
//
// ansilove runs with -i (bright backgrounds, as Brixel draws attribute bit 7
// unless a record says otherwise) and writes a PNG, read back with libpng. A
// cell matches when its 8x16 pixels are the ones Brixel's cell gives: the
// glyph of its character, lit pixels in its foreground colour, the others in
// its background colour, both from the VGA palette. So the character, the
// foreground and the background are compared as far as they show: a space
// shows no foreground, a full block no background. The glyphs are ansilove's
// own, read from a file of all 256 characters it draws first: the window's
// sheet (assets/80x25.png) draws 33 of them a pixel apart.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "ansi/ArtFormat.h"
#include "console/GlyphBits.h"
#include "console/Palette.h"
#include "console/PngReader.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

// Where ansilove draws a file otherwise than the scene's terminals and
// editors do, and Brixel draws it as they do: the cells that differ for it.
struct TAnsiloveFault {
  const char* File;
  long Cells;
  const char* Why;
};

const TAnsiloveFault kAnsiloveFaults[] = {
    {"cp_1.ans", 60,
     "ESC[1m with bold still on (ESC[m, 1B 5B 6D, resets nothing, then ESC[35m ESC[1m, "
     "1B 5B 33 35 6D 1B 5B 31 6D): ansilove adds 8 to the bright colour once more and draws "
     "it dark (rows 14, 16 and 22)"},
    {"ExtendedColors.ans", 34,
     "ESC[38;5;28m and ESC[38;5;84m (1B 5B 33 38 3B 35 3B 32 38 6D): ansilove ignores 38, "
     "takes the 5 for blink (a grey background, overflowing back to black the second time) "
     "and ignores the colour; Brixel draws xterm colours 28 and 84 as green and light green"},
    {"font_art1.ans", 779,
     "ESC[48;5;15m and ESC[48;5;252m (1B 5B 34 38 3B 35 3B 31 35 6D): ansilove takes the 5 "
     "for blink and draws dark grey backgrounds; Brixel draws xterm 15 as white and 252 as "
     "light grey"},
    {"issue_158.ans", 128,
     "ESC[K after a blue status line (1B 5B 30 3B 33 37 3B 34 34 6D ... 1B 5B 4B): ansilove "
     "ignores erase in line; terminals erase to the row's end in the current colours, so the "
     "blue bar runs across rows 1-3 and 25"},
};

const TAnsiloveFault* KnownFault(const std::string& name) {
  for (const TAnsiloveFault& fault : kAnsiloveFaults)
    if (name == fault.File) return &fault;
  return nullptr;
}

bool Rgb(const uint8_t* pixel, TRgb colour) {
  return pixel[0] == colour.R && pixel[1] == colour.G && pixel[2] == colour.B;
}

// Whether cell (x, y) of the image shows cell as Brixel draws it.
bool CellShows(const TPngPixels& image, int x, int y, TScreenChar cell, const TGlyphFont& font) {
  const TRgb fg = kVgaPalette[cell.Attr & 15], bg = kVgaPalette[cell.Attr >> 4];
  for (int row = 0; row < 16; ++row) {
    const uint8_t bits = font.Bits[static_cast<size_t>(cell.Ch) * font.Height + row];
    for (int col = 0; col < 8; ++col) {
      const bool lit = (bits >> (7 - col)) & 1;
      if (!Rgb(image.At(x * 8 + col, y * 16 + row), lit ? fg : bg)) return false;
    }
  }
  return true;
}

// ansilove's PNG of path (a file of art) in image.
void DrawWithAnsilove(const std::string& path, const TTempDir& dir, TPngPixels& image) {
  const std::string png = dir.File("ansilove.png");
  const std::string command = "ansilove -i -o '" + png + "' '" + path + "' >/dev/null 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  std::string why;
  ASSERT_TRUE(DecodePng(ReadFileBytes(png), size_t{1} << 28, image, why)) << why;
}

// ansilove's glyphs: characters 0..255 in light grey on black, 80 to a row
// (TAB, LF, CR, 26 and ESC act and are left blank).
void AnsiloveFont(const TTempDir& dir, TGlyphFont& font) {
  std::string chars;
  for (int ch = 0; ch < 256; ++ch)
    chars += static_cast<char>(ch == 9 || ch == 10 || ch == 13 || ch == 26 || ch == 27 ? 0 : ch);
  TPngPixels image;
  DrawWithAnsilove(dir.Write("chars.ans", chars), dir, image);
  ASSERT_EQ(image.Width, 640);
  ASSERT_EQ(image.Height, 4 * 16);
  font.Height = 16;
  font.Bits.assign(256 * 16, 0);
  for (int ch = 0; ch < 256; ++ch) {
    for (int row = 0; row < 16; ++row) {
      for (int col = 0; col < 8; ++col) {
        if (image.At(ch % 80 * 8 + col, ch / 80 * 16 + row)[0] != 0)
          font.Bits[ch * 16 + row] |= static_cast<uint8_t>(0x80 >> col);
      }
    }
  }
}

TEST(AnsiCorpus, DrawsEachFileAsAnsiloveDoes) {
  const fs::path corpus = fs::path(BRIXEL_CORPUS_DIR) / "ans";
  std::error_code ec;
  if (!fs::is_directory(corpus, ec)) GTEST_SKIP() << "no corpus at " << corpus;
  if (std::system("command -v ansilove >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "ansilove is not installed";
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(corpus, ec))
    if (entry.is_regular_file()) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  ASSERT_FALSE(files.empty());

  const TTempDir dir;
  TGlyphFont font;
  ASSERT_NO_FATAL_FAILURE(AnsiloveFont(dir, font));
  for (const fs::path& path : files) {
    const std::string name = path.filename().string();
    SCOPED_TRACE(name);
    TPngPixels image;
    ASSERT_NO_FATAL_FAILURE(DrawWithAnsilove(path.string(), dir, image));

    const std::vector<uint8_t> bytes = ReadFileBytes(path);
    const TArtPicture picture = ReadArt(bytes, name).Picture;
    ASSERT_EQ(image.Width, picture.Width() * 8);
    const int ansiloveRows = image.Height / 16;
    long differing = 0;
    std::string first;
    for (int y = 0; y < std::min(ansiloveRows, picture.Rows()); ++y) {
      for (int x = 0; x < picture.Width(); ++x) {
        if (CellShows(image, x, y, picture.At(x, y), font)) continue;
        if (differing++ == 0) {
          const TScreenChar cell = picture.At(x, y);
          const uint8_t* p = image.At(x * 8, y * 16);  // its background, mostly
          char text[160];
          std::snprintf(text, sizeof text,
                        "first at column %d, row %d: Brixel char %d attribute %02X, ansilove's "
                        "top left pixel %02X%02X%02X",
                        x + 1, y + 1, cell.Ch, cell.Attr, p[0], p[1], p[2]);
          first = text;
        }
      }
    }
    std::printf("%-42s rows %4d (ansilove %4d), cells differing %5ld\n", name.c_str(),
                picture.Rows(), ansiloveRows, differing);
    EXPECT_EQ(picture.Rows(), ansiloveRows);
    // For a known fault the count pins Brixel's drawing of the file: any change shows.
    const TAnsiloveFault* fault = KnownFault(name);
    EXPECT_EQ(differing, fault ? fault->Cells : 0) << (fault ? fault->Why : "") << "; " << first;
  }
}

}  // namespace
