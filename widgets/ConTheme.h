#pragma once

#include <cstdint>

// The default look of framed boxes; every new box copies fields 0-8 and 10.
// The remaining bytes are kept so the record stays complete and in order.
struct TConTheme {
  uint8_t BoxStyle = 6;
  uint8_t BoxColor = 0x7F;
  bool Box3D = true;
  uint8_t BoxColor2 = 0x78;
  uint8_t BoxColor3 = 0x7F;
  uint8_t BoxColor4 = 0x78;
  bool BoxShadow = true;
  uint8_t BoxShadowColor = 8;
  uint8_t BoxTitleColor = 0x1F;
  uint8_t ThemeByte9 = 0;
  bool BoxSunken = false;
  uint8_t ThemeByte11 = 7;
  uint8_t ThemeByte12 = 8;
  uint8_t ThemeByte13 = 7;
  uint8_t ThemeByte14 = 0xB3;
  uint8_t ThemeByte15 = 5;
  uint8_t ThemeByte16 = 0x19;
  uint8_t ThemeByte17 = 0x4F;
  uint8_t ThemeByte18 = 0x0F;
  uint8_t ThemeByte19 = 0x70;
  uint8_t ThemeByte20 = 0x1B;
  uint8_t ThemeByte21 = 0x71;
  uint8_t ThemeByte22 = 0x7F;
  uint8_t ThemeByte23 = 0x1F;
  uint8_t ThemeByte24 = 0x1F;
  uint8_t ThemeByte25 = 0x17;
};
static_assert(sizeof(TConTheme) == 26, "TConTheme is 26 one-byte fields");

// The look every box starts from.
inline constexpr TConTheme kConTheme{};
