#pragma once

#include <array>
#include <cstdint>
#include <string>

// Byte-exact images of the TheDraw font file structures. All numbers in the
// file are little-endian; the 16-bit fields are kept as byte pairs and read
// through the helpers below, so the records can be copied to and from disk as is.
//
// File:   TTDFont (20) | { TFontHeader (213) | glyph block (BlockSize) } ...
// Glyph:  Width, Height, cell stream (13 = row end, 0 = glyph end;
//         Color fonts follow every cell byte with an attribute byte)

constexpr int kSignatureSize = 20;
constexpr int kFontHeaderSize = 213;
constexpr int kGlyphCount = 94;  // '!' .. '~'
constexpr uint8_t kFirstGlyphChar = 33;
constexpr uint8_t kLastGlyphChar = 126;
constexpr uint16_t kAbsentGlyph = 0xFFFF;
constexpr char kSignatureText[] = "TheDraw FONTS file";

enum : uint8_t { ftOutline = 0, ftBlock = 1, ftColor = 2 };

#pragma pack(push, 1)
struct TTDFont {
  uint8_t SigLen = 0;
  std::array<uint8_t, 18> Signature{};
  uint8_t EofMark = 0;
};

struct TFontHeader {
  std::array<uint8_t, 4> Marker{};
  uint8_t NameLen = 0;
  std::array<uint8_t, 12> Name{};
  std::array<uint8_t, 4> Reserved{};
  uint8_t FontType = 0;
  uint8_t Spacing = 0;
  std::array<uint8_t, 2> BlockSize{};
  std::array<uint8_t, 188> Offsets{};
};

struct TFontChar {
  uint8_t Width = 0;
  uint8_t Height = 0;
};
#pragma pack(pop)

static_assert(sizeof(TTDFont) == kSignatureSize);
static_assert(sizeof(TFontHeader) == kFontHeaderSize);
static_assert(sizeof(TFontChar) == 2);

struct TFontRecord {
  std::string Name;    // at most 12 characters
  int32_t Offset = 0;  // file offset of the font's header
  uint8_t FontType = 0;
  TFontHeader Header;  // as read when the file was listed
};

inline uint16_t ReadLE16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline void WriteLE16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v & 0xFF);
  p[1] = static_cast<uint8_t>(v >> 8);
}

inline uint16_t BlockSizeOf(const TFontHeader& h) {
  return ReadLE16(h.BlockSize.data());
}
inline void SetBlockSize(TFontHeader& h, uint16_t v) {
  WriteLE16(h.BlockSize.data(), v);
}
// index 0..93 for '!'..'~'
inline uint16_t GlyphOffsetOf(const TFontHeader& h, int index) {
  return ReadLE16(h.Offsets.data() + 2 * index);
}
inline void SetGlyphOffset(TFontHeader& h, int index, uint16_t v) {
  WriteLE16(h.Offsets.data() + 2 * index, v);
}

// Marker bytes 0, 2 and 3 decide validity; byte 1 is not looked at.
inline bool MarkerValid(const TFontHeader& h) {
  return h.Marker[0] == 0x55 && h.Marker[2] == 0x00 && h.Marker[3] == 0xFF;
}

// A signature record with the standard text, and a header with a valid marker,
// the given name (cut to 12), type and spacing, every glyph absent.
TTDFont StandardSignature();
TFontHeader NewFontHeader(const std::string& name, uint8_t fontType, uint8_t spacing);
