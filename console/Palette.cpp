#include "console/Palette.h"

#include "util/Text.h"

const TPalette& PaletteFor(TPaletteName name) {
  return name == TPaletteName::Vga ? kVgaPalette : kClassicPalette;
}

std::optional<TPaletteName> ParsePaletteName(std::string_view text) {
  const std::string word = LoStr(text);
  if (word == "classic") return TPaletteName::Classic;
  if (word == "vga") return TPaletteName::Vga;
  return std::nullopt;
}

uint8_t NearestColor(TRgb c, const TPalette& palette) {
  uint8_t best = 0;
  int bestDistance = 1 << 30;
  for (size_t i = 0; i < palette.size(); ++i) {
    const int dr = c.R - palette[i].R, dg = c.G - palette[i].G, db = c.B - palette[i].B;
    const int distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = static_cast<uint8_t>(i);
    }
  }
  return best;
}
