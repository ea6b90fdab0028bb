#include "ansi/AnsiInterpreter.h"
#include "ansi/ArtReaders.h"
#include "ansi/ArtReading.h"
#include "ansi/SauceHints.h"

TArtRead ReadAnsiArt(std::span<const uint8_t> content, const std::optional<TSauce>& sauce,
                     std::optional<bool> ice, int maxRows) {
  const int width = AnsiArtWidth(sauce);
  TArtRead read = StartRead(width, maxRows);
  if (width > kArtMaxWidth) {
    // The interpreter wraps at the width it has: the rows are rearranged, not cut.
    read.Message = "the record says " + std::to_string(width) + " columns; the picture wraps at " +
                   std::to_string(kArtMaxWidth);
  }
  const TArtHints hints = SauceArtHints(sauce);
  TMsgBaseAnsi ansi(read.Picture.Width());
  ansi.SetMaxRows(maxRows);
  ansi.SetIce(ice.value_or(hints.Ice));
  ansi.ProcessBuffer(content);
  read.Picture = ansi.TakePicture();
  read.Picture.Reserve(1);  // a picture with nothing printed is one blank row
  read.Picture.Hints = hints;
  if (ice) read.Picture.Hints.Ice = *ice;
  return read;
}
