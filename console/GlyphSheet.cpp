#include "console/GlyphSheet.h"

#include <vector>

#include "console/PngReader.h"
#include "util/Files.h"

namespace {

constexpr int kSheetGlyphs = 16;  // per row and per column
constexpr int kSheetWidth = kSheetGlyphs * kGlyphPixelWidth;
constexpr int kMaxSheetHeight = kSheetGlyphs * kMaxGlyphHeight;
// Far more than any sheet of at most 128 x 512 pixels compresses to.
constexpr int64_t kMaxSheetFileBytes = 4 << 20;

bool Lit(const uint8_t* rgba) {
  return rgba[3] >= 128 && (rgba[0] >= 128 || rgba[1] >= 128 || rgba[2] >= 128);
}

}  // namespace

bool ReadGlyphSheet(std::span<const uint8_t> png, TGlyphFont& font, std::string& why) {
  TPngPixels sheet;
  if (!DecodePng(png, static_cast<size_t>(kSheetWidth) * kMaxSheetHeight, sheet, why)) return false;
  if (sheet.Width != kSheetWidth || sheet.Height % kSheetGlyphs != 0) {
    why = "a glyph sheet is 16 x 16 glyphs 8 pixels wide, not " + std::to_string(sheet.Width) +
          " x " + std::to_string(sheet.Height) + " pixels";
    return false;
  }
  const int height = sheet.Height / kSheetGlyphs;
  std::vector<uint8_t> bits(static_cast<size_t>(256) * height, 0);
  for (int g = 0; g < 256; ++g) {
    const int left = (g % kSheetGlyphs) * kGlyphPixelWidth, top = (g / kSheetGlyphs) * height;
    for (int y = 0; y < height; ++y) {
      uint8_t row = 0;
      for (int x = 0; x < kGlyphPixelWidth; ++x)
        if (Lit(sheet.At(left + x, top + y))) row |= 0x80 >> x;
      bits[static_cast<size_t>(g) * height + y] = row;
    }
  }
  font = TGlyphFont{height, 256, std::move(bits)};
  return true;
}

bool LoadGlyphSheet(std::string_view path, TGlyphFont& font, std::string& why) {
  why.clear();
  std::vector<uint8_t> bytes;
  int error = 0;
  // One byte more than allowed tells a sheet that is too large from one that fits.
  if (!ReadWholeFile(path, bytes, error, kMaxSheetFileBytes + 1))
    why = FileErrorText(error);
  else if (bytes.size() > kMaxSheetFileBytes)
    why = "too large for a glyph sheet";
  if (why.empty() && ReadGlyphSheet(bytes, font, why)) return true;
  why = std::string(path) + ": " + why;
  return false;
}
