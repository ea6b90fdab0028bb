#include "console/RowStretch.h"

#include <algorithm>

// Measured in units where an input row is OutHeight long and an output row
// InHeight long, so both cover InHeight * OutHeight and every edge is whole.
// An output row is never longer than an input row: it touches two at most.

TRowStretch::TRowStretch(int inHeight, int outHeight, size_t rowBytes)
    : InHeight(std::max(inHeight, 1)),
      OutHeight(std::max(outHeight, inHeight)),
      Previous(rowBytes),
      Mixed(rowBytes) {}

bool TRowStretch::Push(std::span<const uint8_t> row, const TEmit& emit) {
  const int64_t in = NextIn++;
  const int64_t rowStart = in * OutHeight;
  const int64_t rowEnd = rowStart + OutHeight;
  // Output rows that end inside this input row.
  for (; NextOut < OutHeight && (NextOut + 1) * InHeight <= rowEnd; ++NextOut) {
    const int64_t outStart = NextOut * InHeight;
    if (outStart >= rowStart || in == 0) {
      if (!emit(row)) return false;
      continue;
    }
    // The part above rowStart lies in the previous input row.
    const auto above = static_cast<unsigned>(rowStart - outStart);
    const auto below = static_cast<unsigned>(InHeight) - above;
    const unsigned half = static_cast<unsigned>(InHeight) / 2;
    for (size_t i = 0; i < row.size() && i < Mixed.size(); ++i)
      Mixed[i] = static_cast<uint8_t>((Previous[i] * above + row[i] * below + half) /
                                      static_cast<unsigned>(InHeight));
    if (!emit(Mixed)) return false;
  }
  std::copy_n(row.begin(), std::min(row.size(), Previous.size()), Previous.begin());
  return true;
}
