#include "tdf/FontDuplicates.h"

#include <algorithm>
#include <functional>
#include <optional>

#include "tdf/FontFile.h"
#include "tdf/GlyphRender.h"

namespace {

void AppendLE16(std::string& out, size_t n) {
  out += static_cast<char>(n & 0xFF);
  out += static_cast<char>((n >> 8) & 0xFF);
}

// The face of a font of the collection, or nothing when it cannot be read.
std::optional<std::string> FaceOf(TCollectedFontReader& reader, const TCollectedFont& font) {
  TFontFile value;
  int error = 0;
  if (!reader.Read(font, value, error)) return std::nullopt;
  return FontFace(value.Header, value.Block);
}

}  // namespace

std::string FontFace(const TFontHeader& header, std::span<const uint8_t> block) {
  // Glyph map: type, spacing, then per glyph 0 (absent) or 1, Width, Height,
  // the row count and each row as its cell count and (character, attribute)
  // pairs; counts are two bytes, little-endian.
  std::string face{static_cast<char>(header.FontType), static_cast<char>(header.Spacing)};
  for (int i = 0; i < kGlyphCount; ++i) {
    const TGlyphDrawing glyph = GlyphDrawingOf(header, block, i);
    face += static_cast<char>(glyph.Present);
    if (!glyph.Present) continue;
    face += static_cast<char>(glyph.Width);
    face += static_cast<char>(glyph.Height);
    AppendLE16(face, glyph.Rows.size());
    for (const auto& row : glyph.Rows) {
      AppendLE16(face, row.size());
      for (const TGlyphCell& cell : row) {
        face += static_cast<char>(cell.Ch);
        face += static_cast<char>(cell.Attr);
      }
    }
  }
  return face;
}

std::vector<std::vector<size_t>> DuplicateFonts(const TFontCollection& collection,
                                                std::span<const TCollectedFont* const> fonts) {
  TCollectedFontReader reader(collection);
  struct THashed {
    size_t Hash;
    size_t Index;
  };
  std::vector<THashed> hashed;
  hashed.reserve(fonts.size());
  for (size_t i = 0; i < fonts.size(); ++i) {
    if (const std::optional<std::string> face = FaceOf(reader, *fonts[i]))
      hashed.push_back({std::hash<std::string>{}(*face), i});
  }
  std::stable_sort(hashed.begin(), hashed.end(),
                   [](const THashed& a, const THashed& b) { return a.Hash < b.Hash; });

  std::vector<std::vector<size_t>> groups;
  for (size_t run = 0; run < hashed.size();) {
    size_t end = run + 1;
    while (end < hashed.size() && hashed[end].Hash == hashed[run].Hash) ++end;
    // Fonts of one hash, read again and split by their faces: equal hashes
    // of different faces are rare, but no reason to call two fonts the same.
    std::vector<std::pair<std::string, std::vector<size_t>>> faces;
    for (size_t k = run; k < end && end - run > 1; ++k) {
      const size_t index = hashed[k].Index;
      std::optional<std::string> face = FaceOf(reader, *fonts[index]);
      if (!face) continue;  // gone since the first reading
      const auto same = std::find_if(faces.begin(), faces.end(),
                                     [&face](const auto& f) { return f.first == *face; });
      if (same == faces.end()) {
        faces.emplace_back(std::move(*face), std::vector<size_t>{index});
      } else {
        same->second.push_back(index);
      }
    }
    for (auto& [face, members] : faces)
      if (members.size() > 1) groups.push_back(std::move(members));
    run = end;
  }
  std::sort(groups.begin(), groups.end(),
            [](const auto& a, const auto& b) { return a.front() < b.front(); });
  return groups;
}
