#include <string>

#include "ansi/ArtReaders.h"
#include "ansi/ArtReading.h"

namespace {

// "\x04" "1.4" (or "1.3"), then the picture's corners x1, y1, x2, y2 (u16,
// inclusive), run-length cells, and at the end 256 glyphs of 8x16 and 16
// colours of three 6-bit components.
constexpr size_t kHeaderSize = 12;
constexpr int kFontHeight = 16;
constexpr size_t kFontSize = 256 * size_t{kFontHeight};
constexpr size_t kPaletteSize = 48;

// A cell with character 1 and attribute 0 announces a run: a u16 count and
// the cell to repeat (a lone cell 1/0 is stored as a run of one).
constexpr uint8_t kRunMark = 1;
constexpr size_t kRunSize = 6;

}  // namespace

TArtRead ReadIceDrawArt(std::span<const uint8_t> content, const std::optional<TSauce>&,
                        int maxRows) {
  if (content.size() < 3 || content[0] != 4 || content[1] != '1' || content[2] != '.') {
    TArtRead read;
    NoteProblem(read, TArtProblem::NotThisFormat, "not an iCE Draw file");
    return read;
  }
  if (content.size() < kHeaderSize + kFontSize + kPaletteSize) {
    TArtRead read;
    NoteProblem(read, TArtProblem::NoPicture,
                "truncated: an iCE Draw file has a header, a font and a palette (" +
                    std::to_string(kHeaderSize + kFontSize + kPaletteSize) + " bytes), this one " +
                    std::to_string(content.size()) + " bytes in all");
    return read;
  }
  const int left = Le16(content, 4);
  const int right = Le16(content, 8);
  if (right < left) {
    TArtRead read;
    NoteProblem(read, TArtProblem::BadHeader, "the iCE Draw header gives no width");
    return read;
  }
  const int width = right - left + 1;
  TArtRead read = StartRead(width, maxRows);
  TArtPicture& picture = read.Picture;
  const size_t fontAt = content.size() - kPaletteSize - kFontSize;
  const auto font = content.subspan(fontAt, kFontSize);
  picture.Font = TArtFont{kFontHeight, 256, {font.begin(), font.end()}};
  picture.Palette = DacPalette(content.subspan(content.size() - kPaletteSize));
  picture.Hints.IceKnown = true;  // 16 backgrounds, no blink

  TCellStream cells(read, width);
  const auto data = content.subspan(kHeaderSize, fontAt - kHeaderSize);
  for (size_t i = 0; i < data.size();) {
    if (data[i] != kRunMark) {
      if (i + 1 == data.size()) {
        NoteProblem(read, TArtProblem::Truncated, "truncated: the last cell has no attribute");
        break;
      }
      if (!cells.Add({data[i], data[i + 1]})) break;
      i += 2;
      continue;
    }
    // The byte after the mark is taken as its attribute whatever it holds.
    if (data.size() - i < kRunSize) {
      NoteProblem(read, TArtProblem::Truncated, "truncated in a run of cells");
      break;
    }
    const int count = Le16(data, i + 2);
    const TScreenChar cell{data[i + 4], data[i + 5]};
    i += kRunSize;
    if (!cells.Add(cell, static_cast<size_t>(count))) break;
  }
  return read;
}
