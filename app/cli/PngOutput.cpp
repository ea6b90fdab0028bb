#include "app/cli/PngOutput.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "ansi/ArtCellRows.h"
#include "console/GlyphSheet.h"
#include "util/DataFiles.h"
#include "util/Files.h"

namespace {

// The glyphs of a sheet (the window's 8x16 one unless said otherwise);
// false (reported) when the sheet cannot be read.
bool LoadCliGlyphs(const TCliCommand& command, TGlyphFont& glyphs,
                   const char* sheetFile = GeometryForMode(1).SheetFile) {
  std::string why;
  if (LoadGlyphSheet(FindDataFile(sheetFile), glyphs, why)) return true;
  command.Fail("cannot read the glyph sheet " + why);
  return false;
}

}  // namespace

bool WriteCellsPng(const TCliCommand& command, const std::string& path, const TCellRows& rows,
                   const TPalette& palette, std::initializer_list<std::string_view> inputs) {
  TGlyphFont glyphs;
  if (!LoadCliGlyphs(command, glyphs)) return false;
  const TCellLook look{glyphs.View(), kGlyphPixelWidth, palette};
  return command.WriteOutputFile(
      path,
      [&](const TByteSink& sink, std::string& why) {
        return WriteCellPicturePng(rows, look, sink, why);
      },
      inputs);
}

bool WriteCellsPngToStdout(const TCliCommand& command, const TCellRows& rows,
                           const TPalette& palette) {
  if (isatty(STDOUT_FILENO)) {
    command.Fail("a PNG picture is not for a terminal: write it with --png OUT or redirect it");
    return false;
  }
  TGlyphFont glyphs;
  if (!LoadCliGlyphs(command, glyphs)) return false;
  const TCellLook look{glyphs.View(), kGlyphPixelWidth, palette};
  int error = 0;
  const TByteSink toStdout = [&error](std::span<const uint8_t> bytes) {
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size()) return true;
    error = errno ? errno : EIO;
    return false;
  };
  std::string why;
  const bool written = WriteCellPicturePng(rows, look, toStdout, why);
  if (written && std::fflush(stdout) == 0) return true;
  command.Fail(error || written ? "cannot write the output: " + FileErrorText(error ? error : EIO)
                                : why);
  return false;
}

bool WriteArtPng(const TCliCommand& command, const std::string& path, const TArtPicture& picture,
                 const TPalette& palette, bool tallPixels,
                 std::initializer_list<std::string_view> inputs) {
  TGlyphFont glyphs;
  if (!picture.Font && !LoadCliGlyphs(command, glyphs, ArtSheetFile(picture.Hints))) return false;
  const TArtRows rows(picture, picture.Hints.Ice);
  TCellLook look = ArtLook(picture, glyphs.View(), palette);
  look.TallPixels = tallPixels;
  return command.WriteOutputFile(
      path,
      [&](const TByteSink& sink, std::string& why) {
        return WriteCellPicturePng(rows, look, sink, why);
      },
      inputs);
}
