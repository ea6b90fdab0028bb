// make_demo_font GLYPHS OUT.tdf
//
// Builds the demo font file: one Block font and one Color font whose letters
// are pixel bitmaps (tools/demo_glyphs.txt, written by make_assets.py) drawn
// with half-block characters, two pixel rows per text row. Same input, same
// bytes out.
//
// Input: lines "glyph N" (N = 33..126) each followed by the glyph's pixel
// rows of '#' (lit) and '.' (dark); empty lines and lines starting with ';'
// are ignored. Every glyph has the same width and an even number of rows.

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "tdf/TdfFormat.h"

namespace {

constexpr uint8_t kFullBlock = 219;
constexpr uint8_t kLowerHalf = 220;
constexpr uint8_t kUpperHalf = 223;
constexpr uint8_t kBlank = 32;
constexpr uint8_t kRowEnd = 13;
constexpr uint8_t kGlyphEnd = 0;
constexpr uint8_t kSpacing = 1;

using TBitmap = std::vector<std::string>;  // rows of '#' and '.'

// Foreground colour of each text row of the Color font, light at the top and
// dark at the bottom; rows past the end take the last colour. Black background.
constexpr std::array<uint8_t, 8> kColorRows = {15, 15, 14, 14, 12, 12, 4, 4};

bool Fail(const std::string& message) {
  std::fprintf(stderr, "make_demo_font: %s\n", message.c_str());
  return false;
}

bool ReadGlyphBitmaps(const std::string& path, std::array<TBitmap, kGlyphCount>& glyphs) {
  std::ifstream in(path);
  if (!in) return Fail("cannot read " + path);
  std::string line;
  int current = -1;
  int lineNo = 0;
  while (std::getline(in, line)) {
    ++lineNo;
    if (line.empty() || line[0] == ';') continue;
    const std::string where = path + ":" + std::to_string(lineNo) + ": ";
    if (line.starts_with("glyph ")) {
      int code = 0;
      const char* first = line.data() + 6;
      const char* last = line.data() + line.size();
      const auto [end, ec] = std::from_chars(first, last, code);
      if (ec != std::errc() || end != last || code < kFirstGlyphChar || code > kLastGlyphChar)
        return Fail(where + "bad glyph line");
      current = code - kFirstGlyphChar;
      if (!glyphs[current].empty()) return Fail(where + "glyph given twice");
      continue;
    }
    if (current < 0) return Fail(where + "pixel row before the first glyph line");
    if (line.find_first_not_of("#.") != std::string::npos) return Fail(where + "bad pixel row");
    glyphs[current].push_back(line);
  }
  const TBitmap& model = glyphs[0];
  if (model.empty() || model.size() % 2 != 0 || model[0].empty() || model.size() / 2 > 255)
    return Fail(path + ": glyph rows must be a non-empty even count");
  for (int i = 0; i < kGlyphCount; ++i) {
    const TBitmap& g = glyphs[i];
    if (g.size() != model.size())
      return Fail(path + ": glyph " + std::to_string(i + kFirstGlyphChar) +
                  " missing or of another height");
    for (const std::string& row : g)
      if (row.size() != model[0].size()) return Fail(path + ": rows of unequal width");
  }
  return true;
}

// Leftmost and rightmost lit column; a blank bitmap keeps one column.
void InkColumns(const TBitmap& g, size_t& left, size_t& right) {
  left = g[0].size();
  right = 0;
  for (const std::string& row : g) {
    const size_t first = row.find('#');
    if (first == std::string::npos) continue;
    left = std::min(left, first);
    right = std::max(right, row.rfind('#'));
  }
  if (left > right) left = right = 0;
}

// One glyph record: Width, Height, then the rows of cells separated by 13 and
// closed by 0. Color cells carry an attribute byte after the character.
std::vector<uint8_t> GlyphRecord(const TBitmap& g, bool color) {
  size_t left = 0, right = 0;
  InkColumns(g, left, right);
  const size_t textRows = g.size() / 2;
  std::vector<uint8_t> out;
  out.push_back(static_cast<uint8_t>(right - left + 1));
  out.push_back(static_cast<uint8_t>(textRows));
  for (size_t r = 0; r < textRows; ++r) {
    if (r > 0) out.push_back(kRowEnd);
    const uint8_t attr = kColorRows[std::min(r, kColorRows.size() - 1)];
    for (size_t c = left; c <= right; ++c) {
      const bool top = g[2 * r][c] == '#';
      const bool bottom = g[2 * r + 1][c] == '#';
      out.push_back(top && bottom ? kFullBlock : top ? kUpperHalf : bottom ? kLowerHalf : kBlank);
      if (color) out.push_back(attr);
    }
  }
  out.push_back(kGlyphEnd);
  return out;
}

// A font header followed by its glyph block, with every offset filled in.
bool AppendFont(std::vector<uint8_t>& file, const std::string& name, uint8_t fontType,
                const std::array<TBitmap, kGlyphCount>& glyphs) {
  if (name.size() > 12) return Fail("font name longer than 12 characters: " + name);
  TFontHeader header = NewFontHeader(name, fontType, kSpacing);
  std::vector<uint8_t> block;
  for (int i = 0; i < kGlyphCount; ++i) {
    if (block.size() >= kAbsentGlyph) return Fail("glyph block of " + name + " too large");
    SetGlyphOffset(header, i, static_cast<uint16_t>(block.size()));
    const std::vector<uint8_t> record = GlyphRecord(glyphs[i], fontType == ftColor);
    block.insert(block.end(), record.begin(), record.end());
  }
  if (block.size() > 0xFFFF) return Fail("glyph block of " + name + " too large");
  SetBlockSize(header, static_cast<uint16_t>(block.size()));
  const auto* bytes = reinterpret_cast<const uint8_t*>(&header);
  file.insert(file.end(), bytes, bytes + sizeof header);
  file.insert(file.end(), block.begin(), block.end());
  return true;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& data) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
  out.close();
  if (!out) return Fail("cannot write " + path);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_demo_font GLYPHS OUT.tdf\n");
    return 2;
  }
  std::array<TBitmap, kGlyphCount> glyphs;
  if (!ReadGlyphBitmaps(argv[1], glyphs)) return 1;

  const TTDFont signature = StandardSignature();
  const auto* sig = reinterpret_cast<const uint8_t*>(&signature);
  std::vector<uint8_t> file(sig, sig + sizeof signature);
  if (!AppendFont(file, "Brixel Block", ftBlock, glyphs)) return 1;
  if (!AppendFont(file, "Brixel Color", ftColor, glyphs)) return 1;
  return WriteFile(argv[2], file) ? 0 : 1;
}
