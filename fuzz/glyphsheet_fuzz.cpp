// Feeds arbitrary bytes to the glyph sheet reader (libpng underneath) and,
// when they make a sheet, draws every glyph with it at both cell widths and
// as a whole PNG picture, then checks that the picture reads back with the
// size and the pixels of the cells drawn.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <span>
#include <string>
#include <vector>

#include "console/CellGrid.h"
#include "console/GlyphSheet.h"
#include "console/PngReader.h"

namespace {

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "glyphsheet_fuzz: broken invariant: %s\n", what);
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TGlyphFont font;
  std::string why;
  if (!ReadGlyphSheet({data, size}, font, why)) {
    Check(!why.empty(), "a refusal without a reason");
    return 0;
  }
  Check(font.View().Valid(), "a sheet read into glyphs that cannot be drawn");
  // Every glyph once, in attribute 0x1E, 16 to a row.
  TCellGrid screen(16, 16);
  for (int g = 0; g < 256; ++g) screen.Put(g % 16, g / 16, {static_cast<uint8_t>(g), 0x1E});
  for (const int width : {8, 9}) {
    std::vector<uint8_t> png;
    const TByteSink sink = [&png](std::span<const uint8_t> piece) {
      png.insert(png.end(), piece.begin(), piece.end());
      return true;
    };
    Check(WriteCellPicturePng(screen, {font.View(), width}, sink, why),
          "a sheet that was read cannot be drawn");
    TPngPixels picture;
    Check(DecodePng(png, std::numeric_limits<size_t>::max(), picture, why),
          "a picture libpng cannot read");
    Check(picture.Width == 16 * width && picture.Height == 16 * font.Height,
          "a picture of the wrong size");
    // Glyph pixels are the foreground (yellow), the rest the background (blue).
    for (int g = 0; g < 256; ++g)
      for (int y = 0; y < font.Height; ++y)
        for (int x = 0; x < 8; ++x) {
          const bool lit = font.Bits[g * font.Height + y] & (0x80 >> x);
          const uint8_t* p = picture.At((g % 16) * width + x, (g / 16) * font.Height + y);
          Check(lit ? p[0] == 255 && p[2] == 0 : p[0] == 0 && p[2] == 128,
                "a pixel not as the glyph");
        }
  }
  return 0;
}
