#include <memory>

#include "ansi/AnsiInterpreter.h"
#include "ansi/ArtReaders.h"
#include "ansi/SauceHints.h"

TArtRead ReadAnsiArt(std::span<const uint8_t> content, const std::optional<TSauce>& sauce) {
  // The interpreter's picture is 80 columns by a fixed 5000 rows; the cells
  // in use are copied out.
  const auto ansi = std::make_unique<TMsgBaseAnsi>();
  ansi->ProcessBuffer(content);
  TArtRead read;
  read.Picture = TArtPicture(kAnsiCols);
  TArtPicture& picture = read.Picture;
  picture.Hints = SauceArtHints(sauce);
  picture.Reserve(ansi->Lines);
  for (int y = 1; y <= ansi->Lines; ++y) {
    for (int x = 1; x <= kAnsiCols; ++x) picture.Put(x - 1, y - 1, ansi->Image[y][x]);
  }
  return read;
}
