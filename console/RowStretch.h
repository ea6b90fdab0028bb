#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

// Pixel rows made taller as they stream past, for pictures drawn for the
// tall pixels of a 4:3 screen showing 400 lines. Each output row stands for
// a slice of the input: one that lies inside a single input row copies it
// exactly, one that straddles two mixes them by how much of each it covers.
// So glyph edges soften by one row at most and every row keeps its colours,
// where repeating rows would make some glyph rows twice as thick as others.

// The height a picture of height pixel rows gets on a 4:3 screen of 400
// lines: 1.35 times, the fraction dropped (32 -> 43).
constexpr int TallPixelsHeight(int height) {
  return static_cast<int>(int64_t{height} * 135 / 100);
}

class TRowStretch {
 public:
  using TEmit = std::function<bool(std::span<const uint8_t>)>;

  // inHeight input rows of rowBytes bytes each (any number of bytes per
  // pixel) make outHeight output rows; outHeight below inHeight counts as
  // inHeight.
  TRowStretch(int inHeight, int outHeight, size_t rowBytes);

  // Takes the next input row and hands emit every output row it completes,
  // in order. False as soon as emit fails.
  bool Push(std::span<const uint8_t> row, const TEmit& emit);

 private:
  int64_t InHeight;
  int64_t OutHeight;
  int64_t NextIn = 0;   // input rows taken so far
  int64_t NextOut = 0;  // output rows handed out so far
  std::vector<uint8_t> Previous;
  std::vector<uint8_t> Mixed;
};
