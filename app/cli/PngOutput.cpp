#include "app/cli/PngOutput.h"

#include "console/CellPicture.h"
#include "console/GlyphSheet.h"
#include "util/DataFiles.h"

bool WriteScreenPng(const TCliCommand& command, const std::string& path, const TScreen& screen,
                    int firstRow, int lastRow, std::initializer_list<std::string_view> inputs) {
  TGlyphFont glyphs;
  std::string why;
  if (!LoadGlyphSheet(FindDataFile(GeometryForMode(1).SheetFile), glyphs, why)) {
    command.Fail("cannot read the glyph sheet " + why);
    return false;
  }
  const TScreenRows rows(screen, firstRow, lastRow);
  const TCellLook look{glyphs.View(), kGlyphPixelWidth, kClassicPalette};
  return command.WriteOutputFile(
      path,
      [&](const TByteSink& sink, std::string& why) {
        return WriteCellPicturePng(rows, look, sink, why);
      },
      inputs);
}
