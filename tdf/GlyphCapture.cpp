#include "tdf/GlyphCapture.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "tdf/FontFile.h"
#include "tdf/FontFileAccess.h"
#include "tdf/GlyphBlockCompact.h"
#include "tdf/GlyphEdit.h"
#include "util/Files.h"

namespace {

constexpr int kMaxGlyphSide = 255;

}  // namespace

bool BlockFitsGlyph(int x1, int y1, int x2, int y2) {
  const auto side = [](int a, int b) { return (a > b ? a - b : b - a) + 1; };
  return side(x1, x2) <= kMaxGlyphSide && side(y1, y2) <= kMaxGlyphSide;
}

std::vector<uint8_t> GlyphRecordFromBlock(const TCellSource& cells, int x1, int y1, int x2, int y2,
                                          bool color) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  // Sized by the block itself: a block of a long picture may be taller than a size byte holds.
  TGlyphPicture picture;
  picture.Width = static_cast<uint8_t>(x2 - x1 + 1);
  picture.Height = static_cast<uint8_t>(y2 - y1 + 1);
  picture.Cells.assign(static_cast<size_t>(y2 - y1) + 1,
                       std::vector<TEditCell>(static_cast<size_t>(x2 - x1) + 1));
  for (int y = y1; y <= y2; ++y) {
    for (int x = x1; x <= x2; ++x) {
      const TScreenChar cell = cells(x, y);
      picture.Cells[y - y1][x - x1] = {true, cell.Ch, cell.Attr};
    }
  }
  return EncodeGlyph(picture, color ? ftColor : ftBlock);
}

TGlyphStoreResult StoreGlyph(TFontFile& font, uint8_t ch, std::span<const uint8_t> record,
                             bool outlineCells) {
  const int n = font.Selected;
  if (font.Path.empty() || n < 1 || n > font.Count()) return {TGlyphStore::NoFont};
  if (ch < kFirstGlyphChar || ch > kLastGlyphChar) return {TGlyphStore::Failed};
  TGlyphStoreResult result;
  TFileLock lock;
  std::vector<uint8_t> bytes;
  // A file changed since it was loaded may hold another font at that offset.
  if (!ReadForChange(font, n, lock, bytes, result.Error)) return result;
  const auto headerAt = static_cast<size_t>(font.Fonts[n].Offset);
  TFontHeader header;
  std::memcpy(&header, bytes.data() + headerAt, kFontHeaderSize);
  if (!MarkerValid(header)) return result;
  if (header.FontType == ftOutline && !outlineCells) return {TGlyphStore::Outline};
  if (!WholeGlyphRecord(record, header.FontType)) return result;

  // The block may claim more than the file holds; it ends where the file does then.
  const size_t blockAt = headerAt + kFontHeaderSize;
  const size_t blockEnd = std::min(blockAt + BlockSizeOf(header), bytes.size());
  const std::optional<TGlyphBlock> rebuilt = CompactGlyphBlock(
      header, std::span(bytes).subspan(blockAt, blockEnd - blockAt), ch - kFirstGlyphChar, record);
  if (!rebuilt) return {TGlyphStore::TooLarge};
  std::vector<uint8_t> out(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(headerAt));
  const auto* headerBytes = reinterpret_cast<const uint8_t*>(&rebuilt->Header);
  out.insert(out.end(), headerBytes, headerBytes + kFontHeaderSize);
  out.insert(out.end(), rebuilt->Bytes.begin(), rebuilt->Bytes.end());
  out.insert(out.end(), bytes.begin() + static_cast<std::ptrdiff_t>(blockEnd), bytes.end());

  if (!WriteChange(font, lock, out, result.Error)) return result;
  // The glyph is stored whatever the reload says; a value that could not be
  // read again keeps what it held, and its next select says why.
  ReloadFontFile(font, n);
  return {TGlyphStore::Stored};
}

std::string GlyphStoreMessage(const TGlyphStoreResult& result) {
  switch (result.Status) {
    case TGlyphStore::Stored:
      return {};
    case TGlyphStore::NoFont:
      return "No Font Selected!";
    case TGlyphStore::Outline:
      return "Outline fonts hold no pictures.";
    case TGlyphStore::TooLarge:
      return "The font is full: 65535 bytes.";
    case TGlyphStore::BlockTooLarge:
      return "A glyph holds at most 255 columns and 255 rows.";
    case TGlyphStore::Failed:
      break;
  }
  if (result.Error != 0)
    return "The font file could not be written: " + FontFileErrorText(result.Error) + ".";
  return "The font file could not be written.";
}
