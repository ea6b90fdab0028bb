#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "tdf/TdfFormat.h"

class TTempDir;

// In-memory TheDraw font files for tests, built byte by byte.
//
//   TTdfBuilder b;
//   b.Font({.Name = "Test", .FontType = ftBlock, .Glyphs = {{'A', BlockGlyph({"AB", "CD"})}}});
//   const std::string path = b.WriteTo(dir, "test.tdf");

// One cell of a Color glyph.
struct TColorCell {
  uint8_t Ch = 0;
  uint8_t Attr = 0;
};

// A glyph record: Width, Height, then the cell stream as given.
std::vector<uint8_t> GlyphRecord(uint8_t width, uint8_t height, std::span<const uint8_t> cells);
// A Block glyph the way the program writes one: rows separated by 13, ended by 0.
// Width is the longest row, Height the number of rows.
std::vector<uint8_t> BlockGlyph(const std::vector<std::string>& rows);
// The same for a Color glyph: every cell byte followed by its attribute.
std::vector<uint8_t> ColorGlyph(const std::vector<std::vector<TColorCell>>& rows);
// A Color glyph whose cells all share one attribute.
std::vector<uint8_t> ColorGlyph(const std::vector<std::string>& rows, uint8_t attr);

struct TTdfFontPlan {
  std::string Name;  // stored cut to 12 characters, NUL-padded
  uint8_t FontType = ftBlock;
  uint8_t Spacing = 1;
  // Character ('!'..'~') -> glyph record bytes. Stored in character order and
  // pointed at by the offsets; every other character is absent ($FF $FF).
  std::map<uint8_t, std::vector<uint8_t>> Glyphs;

  // For malformed fonts. Unset fields take the values a good file has.
  std::optional<uint8_t> NameLen;  // default: length of the stored name
  std::array<uint8_t, 4> Marker{0x55, 0xAA, 0x00, 0xFF};
  std::array<uint8_t, 4> Reserved{};
  std::optional<uint16_t> BlockSize;            // default: bytes of the glyph block
  std::map<uint8_t, uint16_t> OffsetOverrides;  // raw offset values, applied last
  std::vector<uint8_t> ExtraBlockBytes;         // appended to the glyph block
};

class TTdfBuilder {
 public:
  // Starts with the standard 20-byte signature.
  TTdfBuilder();
  // Replaces the signature with any bytes (a short or wrong one, or none).
  TTdfBuilder& Signature(std::span<const uint8_t> raw);
  TTdfBuilder& Signature(std::string_view raw);
  // Appends a font: its 213-byte header, then its glyph block.
  TTdfBuilder& Font(const TTdfFontPlan& font);
  // Appends bytes as they are (a block with a bad marker, trailing data).
  TTdfBuilder& Raw(std::span<const uint8_t> bytes);
  TTdfBuilder& Raw(std::string_view bytes);

  std::vector<uint8_t> Bytes() const;
  // File offsets of the headers of the fonts added, in order.
  std::vector<int32_t> FontOffsets() const;
  // Writes the file into dir and answers its path.
  std::string WriteTo(const TTempDir& dir, std::string_view name) const;

 private:
  std::vector<uint8_t> SignatureBytes;
  std::vector<std::variant<TTdfFontPlan, std::vector<uint8_t>>> Parts;
};

// The header and glyph block that Font() writes for font.
TFontHeader HeaderFor(const TTdfFontPlan& font);
std::vector<uint8_t> GlyphBlockFor(const TTdfFontPlan& font);
