#include "support/PictureSupport.h"

#include <algorithm>
#include <cstring>
#include <limits>

bool DrawPicture(const TCellRows& rows, const TCellLook& look, std::vector<uint8_t>& png,
                 TPngPixels& picture, std::string& why) {
  png.clear();
  const TByteSink sink = [&png](std::span<const uint8_t> piece) {
    png.insert(png.end(), piece.begin(), piece.end());
    return true;
  };
  return WriteCellPicturePng(rows, look, sink, why) &&
         DecodePng(png, std::numeric_limits<size_t>::max(), picture, why);
}

long DifferingPixels(const TPngPixels& a, const TPngPixels& b) {
  if (a.Width != b.Width || a.Height != b.Height)
    return std::max(long{a.Width} * a.Height, long{b.Width} * b.Height);
  long differing = 0;
  for (int y = 0; y < a.Height; ++y)
    for (int x = 0; x < a.Width; ++x) differing += std::memcmp(a.At(x, y), b.At(x, y), 3) != 0;
  return differing;
}
