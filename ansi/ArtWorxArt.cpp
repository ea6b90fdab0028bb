#include <array>
#include <string>

#include "ansi/ArtReaders.h"
#include "ansi/ArtReading.h"

namespace {

// Version byte (1), 64 EGA colours of three 6-bit components, 256 glyphs of
// 8x16, then 80-column cells.
constexpr uint8_t kVersion = 1;
constexpr size_t kPaletteAt = 1;
constexpr size_t kFontAt = kPaletteAt + 64 * 3;
constexpr int kFontHeight = 16;
constexpr size_t kCellsAt = kFontAt + 256 * size_t{kFontHeight};
constexpr int kWidth = 80;

// The EGA palette entries the 16 text colours use: brown is 20, the bright
// colours 56-63.
constexpr std::array<uint8_t, 16> kEgaEntries = {0,  1,  2,  3,  4,  5,  20, 7,
                                                 56, 57, 58, 59, 60, 61, 62, 63};

}  // namespace

TArtRead ReadArtWorxArt(std::span<const uint8_t> content, const std::optional<TSauce>&,
                        int maxRows) {
  TArtRead read = StartRead(kWidth, maxRows);
  // Another format renamed .adf would draw its bytes as garbage.
  if (!content.empty() && content[0] != kVersion) {
    NoteProblem(read, TArtProblem::BadHeader,
                "the ArtWorx version byte is " + std::to_string(content[0]) + ", not 1");
    return read;
  }
  if (content.size() < kCellsAt) {
    NoteProblem(read, TArtProblem::NoPicture,
                "truncated: an ArtWorx file has " + std::to_string(kCellsAt) +
                    " bytes of palette and font, this one " + std::to_string(content.size()) +
                    " bytes in all");
    return read;
  }
  TArtPicture& picture = read.Picture;
  std::array<uint8_t, 48> used{};
  for (size_t i = 0; i < kEgaEntries.size(); ++i) {
    for (size_t c = 0; c < 3; ++c) used[3 * i + c] = content[kPaletteAt + 3 * kEgaEntries[i] + c];
  }
  picture.Palette = DacPalette(used);
  const auto font = content.subspan(kFontAt, kCellsAt - kFontAt);
  picture.Font = TArtFont{kFontHeight, 256, {font.begin(), font.end()}};
  picture.Hints.IceKnown = true;  // no blink in ArtWorx: 16 backgrounds
  TCellStream cells(read, kWidth);
  AddCellPairs(cells, content.subspan(kCellsAt));
  return read;
}
