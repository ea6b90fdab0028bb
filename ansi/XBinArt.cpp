#include <algorithm>
#include <string>
#include <string_view>

#include "ansi/ArtReaders.h"
#include "ansi/ArtReading.h"

namespace {

// Header: "XBIN" 26, width u16, height u16, glyph height, flags.
constexpr std::string_view kXBinId = "XBIN\x1a";
constexpr size_t kHeaderSize = 11;
constexpr size_t kPaletteSize = 48;
constexpr int kMaxFontHeight = 32;

enum : uint8_t {
  kHasPalette = 0x01,
  kHasFont = 0x02,
  kCompressed = 0x04,
  kNonBlink = 0x08,
  kFont512 = 0x10,
};

// Compressed cells come in runs: a byte with the kind in bits 7-6 and the
// count - 1 in bits 5-0, then the bytes the kind needs.
enum : uint8_t { kRunLiteral = 0, kRunSameChar = 1, kRunSameAttr = 2, kRunSameCell = 3 };

// Decodes runs until `total` cells are placed or the bytes end; false when
// a run was cut off by the end of the file.
bool AddCompressedCells(TCellStream& cells, TByteCursor& bytes, size_t total) {
  uint8_t control = 0;
  while (cells.Count() < total && bytes.Byte(control)) {
    const int count = (control & 63) + 1;
    const int kind = control >> 6;
    uint8_t ch = 0, attr = 0;
    // The byte every cell of the run shares comes first.
    if (kind == kRunSameChar && !bytes.Byte(ch)) return false;
    if (kind == kRunSameAttr && !bytes.Byte(attr)) return false;
    if (kind == kRunSameCell) {
      if (!(bytes.Byte(ch) && bytes.Byte(attr))) return false;
      if (!cells.Add({ch, attr}, std::min<size_t>(count, total - cells.Count()))) return true;
      continue;
    }
    for (int i = 0; i < count && cells.Count() < total; ++i) {
      if ((kind == kRunLiteral || kind == kRunSameAttr) && !bytes.Byte(ch)) return false;
      if ((kind == kRunLiteral || kind == kRunSameChar) && !bytes.Byte(attr)) return false;
      if (!cells.Add({ch, attr})) return true;
    }
  }
  return true;
}

}  // namespace

TArtRead ReadXBinArt(std::span<const uint8_t> content, const std::optional<TSauce>&, int maxRows) {
  if (content.size() < kHeaderSize ||
      !std::equal(kXBinId.begin(), kXBinId.end(), content.begin(),
                  [](char a, uint8_t b) { return static_cast<uint8_t>(a) == b; })) {
    TArtRead read;
    NoteProblem(read, TArtProblem::NotThisFormat, "not an XBin file");
    return read;
  }
  const int width = Le16(content, 5);
  const int height = Le16(content, 7);
  const int fontHeight = content[9] ? content[9] : 16;  // 0 is taken as the usual 16
  const uint8_t flags = content[10];
  if (width == 0 || height == 0 || fontHeight > kMaxFontHeight) {
    TArtRead read;
    NoteProblem(read, TArtProblem::BadHeader,
                width == 0    ? "the XBin header gives no width"
                : height == 0 ? "the XBin header gives no height"
                              : "the XBin font is " + std::to_string(fontHeight) +
                                    " pixels high; at most 32 are possible");
    return read;
  }
  TArtRead read = StartRead(width, maxRows);
  TArtPicture& picture = read.Picture;
  picture.Hints.Ice = (flags & kNonBlink) != 0;
  picture.Hints.IceKnown = true;

  TByteCursor bytes(content.subspan(kHeaderSize));
  std::span<const uint8_t> block;
  if (flags & kHasPalette) {
    if (!bytes.Take(kPaletteSize, block)) {
      NoteProblem(read, TArtProblem::NoPicture, "truncated in the XBin palette");
      return read;
    }
    picture.Palette = DacPalette(block);
  }
  if (flags & kHasFont) {
    // The 512 flag without a font of its own would choose glyphs no font has: ignored.
    const int count = flags & kFont512 ? 512 : 256;
    if (!bytes.Take(static_cast<size_t>(count) * fontHeight, block)) {
      NoteProblem(read, TArtProblem::NoPicture, "truncated in the XBin font");
      return read;
    }
    picture.Font = TArtFont{fontHeight, count, {block.begin(), block.end()}};
    picture.Hints.FontHeight = fontHeight;
  }

  const size_t total = static_cast<size_t>(width) * height;
  TCellStream cells(read, width);
  bool whole = true;
  if (flags & kCompressed) {
    whole = AddCompressedCells(cells, bytes, total);
  } else {
    std::span<const uint8_t> data;
    bytes.Take(std::min(bytes.Left(), 2 * total), data);
    AddCellPairs(cells, data);
  }
  if (!whole || cells.Count() < total) {
    NoteProblem(
        read, TArtProblem::Truncated,
        "truncated: " + std::to_string(cells.Count()) + " of " + std::to_string(total) + " cells");
  }
  return read;
}
