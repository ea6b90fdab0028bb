#include "console/sdl/GlyphRenderer.h"

#include <algorithm>

#include "console/sdl/ConsolePalette.h"

namespace {

constexpr uint32_t kWhite = 0x00FFFFFF;

uint32_t* PixelRow(SDL_Surface* s, int y) {
  return reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) + y * s->pitch);
}

}  // namespace

TGlyphRenderer::TGlyphRenderer() {
  SetPalette(ConsolePalette);
}

bool TGlyphRenderer::SetGlyphs(const TGlyphFont& glyphs) {
  if (!glyphs.View().Valid()) return false;
  Glyphs = glyphs;
  SetCellSize(kGlyphPixelWidth, Glyphs.Height);
  return true;
}

void TGlyphRenderer::SetPalette(const TPalette& palette) {
  for (size_t i = 0; i < Colors.size(); ++i) Colors[i] = PackRgb(palette[i]);
}

void TGlyphRenderer::SetCellSize(int w, int h) {
  CellW = std::max(1, w);
  CellH = std::max(1, h);
  const int gw = kGlyphPixelWidth, gh = Glyphs.Height;
  const size_t count = static_cast<size_t>(Glyphs.Count);
  Masks.assign(count * CellW * CellH, 0);
  RowBits.clear();
  if (Glyphs.Bits.empty()) return;
  // Sample at the centre of every target pixel so upscales repeat each source
  // pixel evenly and downscales keep the middle ones.
  std::vector<int> sx(CellW), sy(CellH);
  for (int x = 0; x < CellW; ++x) sx[x] = ((2 * x + 1) * gw) / (2 * CellW);
  for (int y = 0; y < CellH; ++y) sy[y] = ((2 * y + 1) * gh) / (2 * CellH);
  if (CellW == kGlyphPixelWidth) {
    RowBits.assign(count * CellH, 0);
    for (int b = 0; b < 256; ++b)
      for (int x = 0; x < 8; ++x) ByteMasks[b][x] = (b & (0x80 >> x)) ? 0xFFFFFFFFu : 0u;
  }
  uint32_t* out = Masks.data();
  for (size_t g = 0; g < count; ++g) {
    for (int y = 0; y < CellH; ++y) {
      const uint8_t bits = Glyphs.Bits[g * gh + sy[y]];
      if (!RowBits.empty()) RowBits[g * CellH + y] = bits;
      for (int x = 0; x < CellW; ++x) *out++ = (bits & (0x80 >> sx[x])) ? 0xFFFFFFFFu : 0u;
    }
  }
}

void TGlyphRenderer::DrawCell(SDL_Surface* target, int px, int py, uint8_t ch, uint8_t attr) const {
  const uint32_t fg = Colors[attr & 15];
  const uint32_t bg = Colors[attr >> 4];
  const uint32_t diff = fg ^ bg;
  const size_t glyph = GlyphIndex(ch, attr);
  if (!RowBits.empty()) {
    const uint8_t* bits = &RowBits[glyph * CellH];
    for (int y = 0; y < CellH; ++y) {
      uint32_t* row = PixelRow(target, py + y) + px;
      const std::array<uint32_t, 8>& m = ByteMasks[bits[y]];
      for (int x = 0; x < 8; ++x) row[x] = bg ^ (diff & m[x]);
    }
    return;
  }
  const uint32_t* m = &Masks[glyph * CellH * CellW];
  for (int y = 0; y < CellH; ++y, m += CellW) {
    uint32_t* row = PixelRow(target, py + y) + px;
    for (int x = 0; x < CellW; ++x) row[x] = bg ^ (diff & m[x]);
  }
}

void TGlyphRenderer::DrawKeyed(SDL_Surface* target, int px, int py, uint8_t ch) const {
  const uint32_t* m = &Masks[static_cast<size_t>(ch) * CellH * CellW];
  for (int y = 0; y < CellH; ++y, m += CellW) {
    uint32_t* row = PixelRow(target, py + y) + px;
    for (int x = 0; x < CellW; ++x) {
      if (m[x]) row[x] = kWhite;
    }
  }
}
