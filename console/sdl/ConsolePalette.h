#pragma once

#include <array>
#include <cstdint>

// The 16 colours of the text screen, indexed by an attribute nibble (the
// foreground is attr & 15, the background attr >> 4: bit 7 is a bright
// background, never blinking). Dark red is 170, not 128, like the VGA's.
struct TRgb {
  uint8_t R, G, B;
  friend bool operator==(const TRgb&, const TRgb&) = default;
};

inline constexpr std::array<TRgb, 16> ConsolePalette = {{
    {0, 0, 0},       {0, 0, 128},     {0, 128, 0},   {0, 128, 128},
    {170, 0, 0},     {128, 0, 128},   {128, 128, 0}, {192, 192, 192},
    {128, 128, 128}, {0, 0, 255},     {0, 255, 0},   {0, 255, 255},
    {255, 0, 0},     {255, 0, 255},   {255, 255, 0}, {255, 255, 255},
}};

// The colour as a 0x00RRGGBB pixel of the console's 32-bit surfaces.
constexpr uint32_t PackRgb(TRgb c) {
  return (uint32_t{c.R} << 16) | (uint32_t{c.G} << 8) | uint32_t{c.B};
}
