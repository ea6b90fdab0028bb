// brixel-cli capture: a block of an art file (any format brixel-cli ansi
// reads) stored as a glyph of a font, the same store as a middle-button drag
// in the viewer.

#include <algorithm>
#include <memory>
#include <string>

#include "ansi/AnsiInterpreter.h"
#include "ansi/ArtFormat.h"
#include "app/cli/CliArgs.h"
#include "app/cli/CliCommands.h"
#include "tdf/FontFile.h"
#include "tdf/GlyphCapture.h"
#include "util/Cp437.h"
#include "util/Files.h"
#include "util/Numbers.h"

namespace {
int Run(int argc, char** argv);
}  // namespace

const TCliCommand kCaptureCommand(
    "capture",
    "a block of art (ANSI, text, .bin .xb .adf .idf .tnd .pcb) stored as a glyph of a font",
    "usage: brixel-cli capture [--font N] [--] FONTFILE ART X1 Y1 X2 Y2 CHAR\n"
    "  the block from column X1, row Y1 to column X2, row Y2 of the picture\n"
    "  (1-based, as the mouse marks it) becomes the glyph of CHAR ('!'..'~')\n",
    Run);

namespace {
constexpr TCliOption kCaptureOptions[] = {{"--font", true}};

int Run(int argc, char** argv) {
  TCliArgs args;
  if (!kCaptureCommand.Parse(argc, argv, kCaptureOptions, args)) return 1;
  if (args.Help) return kCaptureCommand.ShowHelp();
  if (!kCaptureCommand.ExpectPositionals(args, {"FONTFILE", "ART", "X1", "Y1", "X2", "Y2", "CHAR"}))
    return 1;
  const std::string& fontFile = args.Positional[0];
  const std::string& art = args.Positional[1];

  int corners[4] = {};
  const char* names[] = {"X1", "Y1", "X2", "Y2"};
  const std::string ch = Utf8ToCp437(args.Positional[6]);
  if (ch.size() != 1 || static_cast<uint8_t>(ch[0]) < kFirstGlyphChar ||
      static_cast<uint8_t>(ch[0]) > kLastGlyphChar)
    return kCaptureCommand.Fail("CHAR must be one character from '!' to '~', not '" +
                                args.Positional[6] + "'");

  auto read = std::make_unique<TArtRead>();
  int error = 0;
  if (!ReadArtFile(art, *read, error))
    return kCaptureCommand.Fail(art + ": " + FileErrorText(error));
  if (NothingDrawn(read->Problem)) return kCaptureCommand.Fail(art + ": " + read->Message);
  const TArtPicture& picture = read->Picture;
  // Columns inside the picture; rows down to the last an ANSI picture may
  // have, or the picture's own last row when it has more.
  const int lastRow = std::max(kAnsiRows, picture.Rows());
  for (int i = 0; i < 4; ++i) {
    if (!kCaptureCommand.ReadNumber(names[i], args.Positional[2 + i], 1,
                                    i % 2 ? lastRow : picture.Width(), corners[i]))
      return 1;
  }
  if (!BlockFitsGlyph(corners[0], corners[1], corners[2], corners[3]))
    return kCaptureCommand.Fail(GlyphStoreMessage({TGlyphStore::BlockTooLarge}));
  TFontFile font;
  if (!kCaptureCommand.LoadFontAndSelect(fontFile, args, font)) return 1;

  const TCellSource cells = [&picture](int x, int y) { return picture.At(x - 1, y - 1); };
  const std::vector<uint8_t> record = GlyphRecordFromBlock(
      cells, corners[0], corners[1], corners[2], corners[3], font.Header.FontType == ftColor);
  const TGlyphStoreResult result = StoreGlyph(font, static_cast<uint8_t>(ch[0]), record);
  if (result.Status != TGlyphStore::Stored) return kCaptureCommand.Fail(GlyphStoreMessage(result));
  return 0;
}

}  // namespace
