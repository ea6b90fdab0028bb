#include "ansi/ArtColors.h"

#include "ansi/AnsiText.h"

TRgb XtermRgb(uint8_t n) {
  if (n >= 232) {
    const auto grey = static_cast<uint8_t>(8 + 10 * (n - 232));
    return {grey, grey, grey};
  }
  const int i = n >= 16 ? n - 16 : 0;
  const auto level = [](int k) { return static_cast<uint8_t>(k == 0 ? 0 : 55 + 40 * k); };
  return {level(i / 36), level(i / 6 % 6), level(i % 6)};
}

uint8_t XtermColorIndex(uint8_t n) {
  if (n < 16) return static_cast<uint8_t>(AnsiColorDigit(n & 7) | (n & 8));
  return NearestColor(XtermRgb(n), kVgaPalette);
}
