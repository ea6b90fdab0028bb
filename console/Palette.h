#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

// The 16 colours of the text screen, indexed by an attribute nibble (the
// foreground is attr & 15, the background attr >> 4). Plain data: the window,
// the picture writers and the art readers share it.

struct TRgb {
  uint8_t R, G, B;
  friend bool operator==(const TRgb&, const TRgb&) = default;
};

using TPalette = std::array<TRgb, 16>;

// The colours the window has always drawn with. Dark red is 170, not 128,
// like the VGA's.
inline constexpr TPalette kClassicPalette = {{
    {0, 0, 0},
    {0, 0, 128},
    {0, 128, 0},
    {0, 128, 128},
    {170, 0, 0},
    {128, 0, 128},
    {128, 128, 0},
    {192, 192, 192},
    {128, 128, 128},
    {0, 0, 255},
    {0, 255, 0},
    {0, 255, 255},
    {255, 0, 0},
    {255, 0, 255},
    {255, 255, 0},
    {255, 255, 255},
}};

// The VGA's text-mode colours, which ANSI editors and the art archives draw
// with: brown is 170,85,0, the greys 85 and 170, the bright colours 85/255.
inline constexpr TPalette kVgaPalette = {{
    {0, 0, 0},
    {0, 0, 170},
    {0, 170, 0},
    {0, 170, 170},
    {170, 0, 0},
    {170, 0, 170},
    {170, 85, 0},
    {170, 170, 170},
    {85, 85, 85},
    {85, 85, 255},
    {85, 255, 85},
    {85, 255, 255},
    {255, 85, 85},
    {255, 85, 255},
    {255, 255, 85},
    {255, 255, 255},
}};

enum class TPaletteName : uint8_t { Classic, Vga };

const TPalette& PaletteFor(TPaletteName name);
// "classic" or "vga" in any case; nothing for another word.
std::optional<TPaletteName> ParsePaletteName(std::string_view text);

// The index of the palette colour nearest to c (smallest squared distance;
// the lowest index among equals).
uint8_t NearestColor(TRgb c, const TPalette& palette);
