#include "ansi/ArtReaders.h"
#include "ansi/ArtReading.h"
#include "ansi/SauceHints.h"

namespace {

// A BIN file does not store its width; without a record it is a 160-column screen.
constexpr int kBinDefaultWidth = 160;

}  // namespace

TArtRead ReadBinArt(std::span<const uint8_t> content, const std::optional<TSauce>& sauce,
                    int maxRows) {
  int width = 0;
  if (sauce && sauce->DataType == kSauceDataBinaryText) width = SauceWidth(*sauce);
  if (width <= 0) width = kBinDefaultWidth;
  TArtRead read = StartRead(width, maxRows);
  read.Picture.Hints = SauceArtHints(sauce);
  TCellStream cells(read, width);
  AddCellPairs(cells, content);
  return read;
}
