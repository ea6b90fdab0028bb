#include "app/cli/PngOutput.h"

#include "ansi/ArtCellRows.h"
#include "console/CellPicture.h"
#include "console/GlyphSheet.h"
#include "util/DataFiles.h"

namespace {

bool LoadWindowGlyphs(const TCliCommand& command, TGlyphFont& glyphs) {
  std::string why;
  if (LoadGlyphSheet(FindDataFile(GeometryForMode(1).SheetFile), glyphs, why)) return true;
  command.Fail("cannot read the glyph sheet " + why);
  return false;
}

bool WriteRowsPng(const TCliCommand& command, const std::string& path, const TCellRows& rows,
                  const TCellLook& look, std::initializer_list<std::string_view> inputs) {
  return command.WriteOutputFile(
      path,
      [&](const TByteSink& sink, std::string& why) {
        return WriteCellPicturePng(rows, look, sink, why);
      },
      inputs);
}

}  // namespace

bool WriteScreenPng(const TCliCommand& command, const std::string& path, const TScreen& screen,
                    int firstRow, int lastRow, std::initializer_list<std::string_view> inputs) {
  TGlyphFont glyphs;
  if (!LoadWindowGlyphs(command, glyphs)) return false;
  const TCellLook look{glyphs.View(), kGlyphPixelWidth, kClassicPalette};
  return WriteRowsPng(command, path, TScreenRows(screen, firstRow, lastRow), look, inputs);
}

bool WriteArtPng(const TCliCommand& command, const std::string& path, const TArtPicture& picture,
                 bool ice, const TPalette& palette,
                 std::initializer_list<std::string_view> inputs) {
  TGlyphFont glyphs;
  if (!picture.Font && !LoadWindowGlyphs(command, glyphs)) return false;
  return WriteRowsPng(command, path, TArtRows(picture, ice),
                      ArtLook(picture, glyphs.View(), palette), inputs);
}
