#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// PNG files read through libpng, whatever their colour type and depth, as
// plain 8-bit RGBA pixels: for the glyph sheets and for checking pictures.

struct TPngPixels {
  int Width = 0;
  int Height = 0;
  std::vector<uint8_t> Rgba;  // Width * Height pixels of R, G, B, alpha, row after row

  const uint8_t* At(int x, int y) const { return &Rgba[(static_cast<size_t>(y) * Width + x) * 4]; }
};

// Decodes a whole PNG file held in png. A picture of more than maxPixels is
// refused before its pixels are allocated. False with the reason in why
// (libpng's own words for a damaged file).
bool DecodePng(std::span<const uint8_t> png, size_t maxPixels, TPngPixels& image, std::string& why);
