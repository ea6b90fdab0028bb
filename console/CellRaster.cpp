#include "console/CellRaster.h"

#include <array>
#include <bit>
#include <cstring>

namespace {

constexpr uint64_t kEveryByte = 0x0101010101010101u;

// The eight pixels of a glyph row as eight bytes in memory order, 0xFF where
// the pixel is lit: a row of a paletted band is then one select of 64 bits.
constexpr std::array<uint64_t, 256> MakeByteMasks() {
  std::array<uint64_t, 256> masks{};
  for (int bits = 0; bits < 256; ++bits)
    for (int x = 0; x < 8; ++x) {
      const int byte = std::endian::native == std::endian::little ? x : 7 - x;
      if (bits & (0x80 >> x)) masks[bits] |= uint64_t{0xFF} << (8 * byte);
    }
  return masks;
}
constexpr std::array<uint64_t, 256> kByteMasks = MakeByteMasks();

void PutRgb(uint8_t* out, TRgb c) {
  out[0] = c.R;
  out[1] = c.G;
  out[2] = c.B;
}

}  // namespace

TCellRaster::TCellRaster(TGlyphBits font, int cellWidth)
    : Font(font), Width(cellWidth == 9 ? 9 : kGlyphPixelWidth) {}

const uint8_t* TCellRaster::GlyphOf(TScreenChar cell) const {
  const int glyph = cell.Ch + (Font.Count == 512 && (cell.Attr & 8) ? 256 : 0);
  return &Font.Bits[static_cast<size_t>(glyph) * Font.Height];
}

void TCellRaster::DrawBand(std::span<const TScreenChar> cells, std::span<const TCellInk> inks,
                           std::span<uint8_t> band) const {
  const size_t rowBytes = cells.size() * Width;
  for (int y = 0; y < Font.Height; ++y) {
    uint8_t* out = band.data() + static_cast<size_t>(y) * rowBytes;
    for (size_t i = 0; i < cells.size(); ++i, out += Width) {
      const uint8_t bits = GlyphOf(cells[i])[y];
      const TCellInk ink = inks[i];
      const uint64_t bg = kEveryByte * ink.Bg, fg = kEveryByte * ink.Fg;
      const uint64_t pixels = bg ^ ((fg ^ bg) & kByteMasks[bits]);
      std::memcpy(out, &pixels, sizeof pixels);
      if (Width == 9) out[8] = ExtendsRight(cells[i].Ch) && (bits & 1) ? ink.Fg : ink.Bg;
    }
  }
}

void TCellRaster::DrawBandRgb(std::span<const TScreenChar> cells, std::span<const TCellRgb> colors,
                              std::span<uint8_t> band) const {
  const size_t rowBytes = cells.size() * Width * 3;
  for (int y = 0; y < Font.Height; ++y) {
    uint8_t* out = band.data() + static_cast<size_t>(y) * rowBytes;
    for (size_t i = 0; i < cells.size(); ++i) {
      const uint8_t bits = GlyphOf(cells[i])[y];
      for (int x = 0; x < kGlyphPixelWidth; ++x, out += 3)
        PutRgb(out, bits & (0x80 >> x) ? colors[i].Fg : colors[i].Bg);
      if (Width == 9) {
        PutRgb(out, ExtendsRight(cells[i].Ch) && (bits & 1) ? colors[i].Fg : colors[i].Bg);
        out += 3;
      }
    }
  }
}

bool TCellRaster::ShowsForeground(TScreenChar cell) const {
  const uint8_t* glyph = GlyphOf(cell);
  for (int y = 0; y < Font.Height; ++y)
    if (glyph[y] != 0) return true;
  return false;
}

bool TCellRaster::ShowsBackground(TScreenChar cell) const {
  if (Width == 9 && !ExtendsRight(cell.Ch)) return true;
  const uint8_t* glyph = GlyphOf(cell);
  for (int y = 0; y < Font.Height; ++y)
    if (glyph[y] != 0xFF) return true;
  return false;
}
