#include "console/sdl/GlyphRenderer.h"

#include <algorithm>

#include "console/sdl/ConsolePalette.h"
#include "console/sdl/SdlHandles.h"

namespace {

constexpr uint32_t kWhite = 0x00FFFFFF;

uint32_t* PixelRow(SDL_Surface* s, int y) {
  return reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) + y * s->pitch);
}

// Channel-wise product, as colour modulation does it: 255 keeps the other value.
uint32_t Modulate(uint32_t src, uint32_t fg) {
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const uint32_t a = (src >> shift) & 0xFF;
    const uint32_t b = (fg >> shift) & 0xFF;
    out |= ((a * b) / 255) << shift;
  }
  return out;
}

}  // namespace

bool TGlyphRenderer::SetSheet(SDL_Surface* sheet) {
  if (!sheet || sheet->w < 16 || sheet->h < 16) return false;
  // Paletted sheets cannot be read pixel by pixel portably: convert first.
  TSurfacePtr rgb(SDL_ConvertSurfaceFormat(sheet, SDL_PIXELFORMAT_RGB888, 0));
  if (!rgb) return false;
  SheetW = rgb->w;
  SheetH = rgb->h;
  Sheet.assign(static_cast<size_t>(SheetW) * SheetH, 0);
  TwoTone = true;
  if (SDL_LockSurface(rgb.get()) != 0) return false;
  for (int y = 0; y < SheetH; ++y) {
    const uint32_t* row = PixelRow(rgb.get(), y);
    for (int x = 0; x < SheetW; ++x) {
      const uint32_t p = row[x] & 0x00FFFFFF;
      Sheet[static_cast<size_t>(y) * SheetW + x] = p;
      if (p != 0 && p != kWhite) TwoTone = false;
    }
  }
  SDL_UnlockSurface(rgb.get());
  const int w = SheetW / 16, h = SheetH / 16;
  for (int i = 0; i < 256; ++i) Rects[i] = {(i % 16) * w, (i / 16) * h, w, h};
  SetCellSize(w, h);
  return true;
}

void TGlyphRenderer::SetCellSize(int w, int h) {
  CellW = std::max(1, w);
  CellH = std::max(1, h);
  const int gw = GlyphWidth(), gh = GlyphHeight();
  Masks.assign(static_cast<size_t>(256) * CellW * CellH, 0);
  if (gw == 0 || gh == 0) return;
  // Sample at the centre of every target pixel so upscales repeat each source
  // pixel evenly and downscales keep the middle ones.
  std::vector<int> sx(CellW), sy(CellH);
  for (int x = 0; x < CellW; ++x) sx[x] = ((2 * x + 1) * gw) / (2 * CellW);
  for (int y = 0; y < CellH; ++y) sy[y] = ((2 * y + 1) * gh) / (2 * CellH);
  RowBits.clear();
  if (TwoTone && CellW == 8) {
    RowBits.assign(static_cast<size_t>(256) * CellH, 0);
    for (int b = 0; b < 256; ++b)
      for (int x = 0; x < 8; ++x) ByteMasks[b][x] = (b & (0x80 >> x)) ? 0xFFFFFFFFu : 0u;
  }
  uint32_t* out = Masks.data();
  for (int g = 0; g < 256; ++g) {
    const SDL_Rect& r = Rects[g];
    for (int y = 0; y < CellH; ++y) {
      const uint32_t* src = &Sheet[static_cast<size_t>(r.y + sy[y]) * SheetW + r.x];
      for (int x = 0; x < CellW; ++x) {
        const uint32_t p = src[sx[x]];
        *out++ = TwoTone ? (p ? 0xFFFFFFFFu : 0u) : p;
        if (p && !RowBits.empty()) RowBits[static_cast<size_t>(g) * CellH + y] |= 0x80 >> x;
      }
    }
  }
}

void TGlyphRenderer::DrawCell(SDL_Surface* target, int px, int py, uint8_t ch,
                              uint8_t attr) const {
  const uint32_t fg = PackRgb(ConsolePalette[attr & 15]);
  const uint32_t bg = PackRgb(ConsolePalette[attr >> 4]);
  const uint32_t diff = fg ^ bg;
  if (!RowBits.empty()) {
    const uint8_t* bits = &RowBits[static_cast<size_t>(ch) * CellH];
    for (int y = 0; y < CellH; ++y) {
      uint32_t* row = PixelRow(target, py + y) + px;
      const std::array<uint32_t, 8>& m = ByteMasks[bits[y]];
      for (int x = 0; x < 8; ++x) row[x] = bg ^ (diff & m[x]);
    }
    return;
  }
  const uint32_t* m = &Masks[static_cast<size_t>(ch) * CellH * CellW];
  if (TwoTone) {
    for (int y = 0; y < CellH; ++y, m += CellW) {
      uint32_t* row = PixelRow(target, py + y) + px;
      for (int x = 0; x < CellW; ++x) row[x] = bg ^ (diff & m[x]);
    }
    return;
  }
  for (int y = 0; y < CellH; ++y, m += CellW) {
    uint32_t* row = PixelRow(target, py + y) + px;
    for (int x = 0; x < CellW; ++x) row[x] = m[x] ? Modulate(m[x], fg) : bg;
  }
}

void TGlyphRenderer::DrawKeyed(SDL_Surface* target, int px, int py, uint8_t ch) const {
  const uint32_t* m = &Masks[static_cast<size_t>(ch) * CellH * CellW];
  for (int y = 0; y < CellH; ++y, m += CellW) {
    uint32_t* row = PixelRow(target, py + y) + px;
    for (int x = 0; x < CellW; ++x) {
      if (m[x]) row[x] = TwoTone ? kWhite : m[x];
    }
  }
}
