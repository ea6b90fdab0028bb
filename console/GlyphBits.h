#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// Glyphs 8 pixels wide as bits, the form every font here comes in (the
// window's glyph sheets once read, the fonts art files carry): pixel row y of
// glyph g is the byte Bits[g * Height + y], bit 7 the leftmost pixel. With
// 512 glyphs, bit 3 of a cell's attribute chooses the second 256.

constexpr int kGlyphPixelWidth = 8;
constexpr int kMaxGlyphHeight = 32;

// A view of glyphs owned elsewhere.
struct TGlyphBits {
  int Height = 16;                // 1..kMaxGlyphHeight
  int Count = 256;                // 256 or 512
  std::span<const uint8_t> Bits;  // Count * Height bytes

  bool Valid() const {
    return Height >= 1 && Height <= kMaxGlyphHeight && (Count == 256 || Count == 512) &&
           Bits.size() == static_cast<size_t>(Count) * Height;
  }
};

// Glyphs that own their bits.
struct TGlyphFont {
  int Height = 16;
  int Count = 256;
  std::vector<uint8_t> Bits;

  TGlyphBits View() const { return {Height, Count, Bits}; }
};
