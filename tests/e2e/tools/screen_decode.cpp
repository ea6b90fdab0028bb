// Reads a screenshot of the Brixel window back into cells.
//
//   screen_decode SHEET SHOT.png              print the cells as JSON
//   screen_decode SHEET SHOT.png EXPECT.json  compare with expected cells
//
// The JSON is the form of `brixel-cli render --json`: one array per row, each
// row an array of [character code, attribute] pairs. The screenshot must show
// the cells at the sheet's own cell size from its top-left corner (a larger
// image, such as a fullscreen window, is read from there).
//
// Decoding matches every cell's pixels against the glyph sheet and the
// 16-colour palette. Pixels alone cannot always tell the cell, so:
//   - a cell of one colour is character 0 on that background with
//     foreground 7 (blank glyphs 0, 32 and 255 and the full block look alike
//     up to the unseen colour; the lowest code wins and 7 is the start colour);
//   - glyphs with equal pixels, or a glyph and the inverse of another with
//     the colours swapped, decode as the lowest character code;
//   - the cell under the cursor is decoded from the pixels the cursor glyph
//     leaves free, and its position goes to standard error as "cursor X Y";
//   - a cell that fits nothing (a selection highlight, say) is [-1,-1].
// Comparing avoids these ambiguities: each expected cell is drawn from the
// sheet and must equal the screenshot pixel for pixel, or equal it with the
// cursor ("_" in white) on top; the cursor cell is reported.
//
// Exit code: 0 when every cell decoded (or matched), 1 when not, 2 on bad input.

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "console/sdl/ConsolePalette.h"

namespace {

constexpr int kCols = 80, kRows = 25;
constexpr uint8_t kCursorGlyph = 95;

struct TImage {
  int W = 0, H = 0;
  std::vector<uint32_t> Pixels;  // 0x00RRGGBB
  uint32_t At(int x, int y) const { return Pixels[static_cast<size_t>(y) * W + x]; }
};

bool LoadImage(const char* path, TImage& image) {
  SDL_Surface* raw = IMG_Load(path);
  if (!raw) return false;
  SDL_Surface* rgb = SDL_ConvertSurfaceFormat(raw, SDL_PIXELFORMAT_RGB888, 0);
  SDL_FreeSurface(raw);
  if (!rgb) return false;
  image.W = rgb->w;
  image.H = rgb->h;
  image.Pixels.resize(static_cast<size_t>(rgb->w) * rgb->h);
  for (int y = 0; y < rgb->h; ++y) {
    const auto* row =
        reinterpret_cast<const uint32_t*>(static_cast<uint8_t*>(rgb->pixels) + y * rgb->pitch);
    for (int x = 0; x < rgb->w; ++x)
      image.Pixels[static_cast<size_t>(y) * rgb->w + x] = row[x] & 0xFFFFFF;
  }
  SDL_FreeSurface(rgb);
  return true;
}

struct TSheet {
  int CW = 0, CH = 0;
  // Lit pixels of every glyph, one string of '0'/'1' per glyph (a map key).
  std::array<std::string, 256> Masks;
  bool Lit(int g, int x, int y) const { return Masks[g][static_cast<size_t>(y) * CW + x] == '1'; }
};

bool LoadSheet(const char* path, TSheet& sheet) {
  TImage img;
  if (!LoadImage(path, img) || img.W < 16 || img.H < 16) return false;
  sheet.CW = img.W / 16;
  sheet.CH = img.H / 16;
  for (int g = 0; g < 256; ++g) {
    std::string& m = sheet.Masks[g];
    for (int y = 0; y < sheet.CH; ++y)
      for (int x = 0; x < sheet.CW; ++x)
        m += img.At((g % 16) * sheet.CW + x, (g / 16) * sheet.CH + y) ? '1' : '0';
  }
  return true;
}

int PaletteIndex(uint32_t rgb) {
  for (int i = 0; i < 16; ++i)
    if (PackRgb(ConsolePalette[i]) == rgb) return i;
  return -1;
}

struct TCell {
  int Ch = -1, Attr = -1;
};

class TDecoder {
 public:
  TDecoder(const TSheet& sheet, const TImage& shot) : Sheet(sheet), Shot(shot) {}

  // The cell, or {-1,-1}. With skipCursor the pixels of the cursor glyph are
  // left out, for the cell under the blinking cursor.
  TCell Decode(int col, int row, bool skipCursor = false) const {
    const int ox = (col - 1) * Sheet.CW, oy = (row - 1) * Sheet.CH;
    const auto used = [&](int x, int y) { return !skipCursor || !Sheet.Lit(kCursorGlyph, x, y); };
    std::vector<uint32_t> colours;
    for (int y = 0; y < Sheet.CH; ++y)
      for (int x = 0; x < Sheet.CW; ++x) {
        const uint32_t p = Shot.At(ox + x, oy + y);
        if (used(x, y) && std::find(colours.begin(), colours.end(), p) == colours.end())
          colours.push_back(p);
      }
    if (colours.size() == 1) {
      const int bg = PaletteIndex(colours[0]);
      return bg < 0 ? TCell{} : TCell{0, bg * 16 + 7};
    }
    if (colours.size() != 2) return {};
    TCell best;
    for (int lit = 0; lit < 2; ++lit) {
      const int fg = PaletteIndex(colours[lit]), bg = PaletteIndex(colours[1 - lit]);
      if (fg < 0 || bg < 0) continue;
      for (int g = 0; g < 256 && (best.Ch < 0 || g < best.Ch); ++g) {
        bool same = true;
        for (int y = 0; y < Sheet.CH && same; ++y)
          for (int x = 0; x < Sheet.CW && same; ++x)
            if (used(x, y)) same = Sheet.Lit(g, x, y) == (Shot.At(ox + x, oy + y) == colours[lit]);
        if (same) best = {g, fg + bg * 16};
      }
    }
    return best;
  }

  // 0: the cell shows exactly (ch, attr); 1: it does with the cursor on top; -1: neither.
  int Matches(int col, int row, uint8_t ch, uint8_t attr) const {
    const int ox = (col - 1) * Sheet.CW, oy = (row - 1) * Sheet.CH;
    const uint32_t fg = PackRgb(ConsolePalette[attr & 15]), bg = PackRgb(ConsolePalette[attr >> 4]);
    bool plain = true, withCursor = true;
    for (int y = 0; y < Sheet.CH; ++y)
      for (int x = 0; x < Sheet.CW; ++x) {
        const uint32_t want = Sheet.Lit(ch, x, y) ? fg : bg;
        const uint32_t got = Shot.At(ox + x, oy + y);
        plain &= got == want;
        withCursor &= got == (Sheet.Lit(kCursorGlyph, x, y) ? 0xFFFFFFu : want);
      }
    return plain ? 0 : withCursor ? 1 : -1;
  }

 private:
  const TSheet& Sheet;
  const TImage& Shot;
};

bool ReadExpected(const char* path, std::vector<TCell>& cells) {
  std::ifstream in(path);
  std::stringstream all;
  all << in.rdbuf();
  const std::string text = all.str();
  std::vector<int> numbers;
  for (size_t i = 0; i < text.size();) {
    if (text[i] >= '0' && text[i] <= '9') {
      int n = 0;
      while (i < text.size() && text[i] >= '0' && text[i] <= '9') n = n * 10 + (text[i++] - '0');
      numbers.push_back(n);
    } else {
      ++i;
    }
  }
  if (numbers.size() != 2u * kCols * kRows) return false;
  for (size_t i = 0; i < numbers.size(); i += 2) cells.push_back({numbers[i], numbers[i + 1]});
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: screen_decode SHEET SHOT.png [EXPECT.json]\n");
    return 2;
  }
  TSheet sheet;
  TImage shot;
  if (!LoadSheet(argv[1], sheet)) {
    std::fprintf(stderr, "cannot read the glyph sheet %s\n", argv[1]);
    return 2;
  }
  if (!LoadImage(argv[2], shot) || shot.W < kCols * sheet.CW || shot.H < kRows * sheet.CH) {
    std::fprintf(stderr, "cannot read a %dx%d screen from %s\n", kCols * sheet.CW, kRows * sheet.CH,
                 argv[2]);
    return 2;
  }
  const TDecoder decoder(sheet, shot);

  if (argc == 4) {
    std::vector<TCell> expected;
    if (!ReadExpected(argv[3], expected)) {
      std::fprintf(stderr, "%s does not hold %d x %d cells\n", argv[3], kCols, kRows);
      return 2;
    }
    int bad = 0;
    for (int r = 1; r <= kRows; ++r)
      for (int c = 1; c <= kCols; ++c) {
        const TCell want = expected[static_cast<size_t>(r - 1) * kCols + (c - 1)];
        const int m =
            decoder.Matches(c, r, static_cast<uint8_t>(want.Ch), static_cast<uint8_t>(want.Attr));
        if (m == 1) std::printf("cursor %d %d\n", c, r);
        if (m >= 0) continue;
        const TCell got = decoder.Decode(c, r);
        std::printf("cell %d,%d: expected [%d,%d], shown [%d,%d]\n", c, r, want.Ch, want.Attr,
                    got.Ch, got.Attr);
        ++bad;
      }
    if (bad) std::printf("%d cells differ\n", bad);
    return bad ? 1 : 0;
  }

  bool complete = true;
  std::string out = "[";
  for (int r = 1; r <= kRows; ++r) {
    out += r > 1 ? ",\n [" : "[";
    for (int c = 1; c <= kCols; ++c) {
      TCell cell = decoder.Decode(c, r);
      if (cell.Ch < 0) {
        cell = decoder.Decode(c, r, true);
        if (cell.Ch >= 0) std::fprintf(stderr, "cursor %d %d\n", c, r);
      }
      complete &= cell.Ch >= 0;
      out += (c > 1 ? ",[" : "[") + std::to_string(cell.Ch) + "," + std::to_string(cell.Attr) + "]";
    }
    out += "]";
  }
  std::fputs((out + "]\n").c_str(), stdout);
  return complete ? 0 : 1;
}
