// brixel-cli ansi: reads an art file of any format the archives hold (ANSI
// and text, BIN, XBin, ArtWorx, iCE Draw, TundraDraw, PCBoard) and prints
// the picture, rows 1 to its last row in use, to the terminal or as JSON
// cells, or writes it as a PNG file drawn as the window draws cells.

#include <optional>
#include <string>
#include <vector>

#include "ansi/AnsiText.h"
#include "ansi/ArtCellRows.h"
#include "ansi/ArtFormat.h"
#include "app/cli/CliArgs.h"
#include "app/cli/CliCommands.h"
#include "app/cli/Json.h"
#include "app/cli/PngOutput.h"
#include "console/Palette.h"
#include "util/Files.h"

namespace {
int Run(int argc, char** argv);
}  // namespace

const TCliCommand kAnsiCommand(
    "ansi",
    "an art file's picture (ANSI, text, .bin .xb .adf .idf .tnd .pcb) as the viewer shows it, "
    "or as a PNG file",
    "usage: brixel-cli ansi [--json] [--] FILE\n"
    "       brixel-cli ansi [--json | --png OUT [--aspect on|off|auto]] [--columns N]\n"
    "                       [--ice on|off|auto] [--palette classic|vga] [--max-rows R] [--] FILE\n"
    "  N: the width (1-1024) of ANSI, text, BIN, TundraDraw and PCBoard pictures\n"
    "  R: the most rows (1-1000000) to draw; by default 100000, and 2097152 cells\n"
    "     (ANSI and text end at row 5000 all the same)\n"
    "  --ice: bit 7 a bright background (on), blink on dark (off), as SAUCE says (auto)\n"
    "  --palette: the colours of the PNG and, as 24-bit escapes, of the text (default\n"
    "             classic; the text otherwise in the terminal's own colours); files with\n"
    "             their own colours keep them; not for --json\n"
    "  --aspect: stretch the PNG 1.35 times in height as a 4:3 screen shows it: always\n"
    "            (on), never (off, the default), when SAUCE says the art was made so (auto)\n",
    Run);

namespace {
constexpr TCliOption kAnsiOptions[] = {{"--json", false},   {"--png", true},     {"--ice", true},
                                       {"--palette", true}, {"--columns", true}, {"--aspect", true},
                                       {"--max-rows", true}};
constexpr int kMostRowsAsked = 1000000;

// An option of on, off or auto (nothing: the file decides).
bool ReadOnOffAuto(const TCliArgs& args, const char* option, std::optional<bool>& choice) {
  const std::string* value = args.Value(option);
  if (!value || *value == "auto") return true;
  if (*value == "on" || *value == "off") {
    choice = *value == "on";
    return true;
  }
  kAnsiCommand.Fail(std::string(option) + " takes on, off or auto, not '" + *value + "'");
  return false;
}

// The picture as text for a terminal: in the file's own colours, or the
// palette's when one was asked for, as 24-bit escapes; else in the
// terminal's 16 colours. Blinking cells blink over the dark background.
std::string TerminalText(const TArtPicture& picture, const TPalette* palette) {
  // Bit 7 stays in the cells: the text writer says what it means.
  const TArtRows rows(picture, true);
  const bool ownColors = picture.Palette || picture.HasTrueColor();
  if (!palette && !ownColors) return CellRowsToAnsi(rows, TAnsiForm::Utf8, {}, !picture.Hints.Ice);
  const TCellLook look = ArtLook(picture, {}, palette ? *palette : kClassicPalette);
  return CellRowsToAnsi(rows, TAnsiForm::TrueColor, look.Palette, !picture.Hints.Ice);
}

int Run(int argc, char** argv) {
  TCliArgs args;
  if (!kAnsiCommand.Parse(argc, argv, kAnsiOptions, args)) return 1;
  if (args.Help) return kAnsiCommand.ShowHelp();
  if (!kAnsiCommand.ExpectPositionals(args, {"FILE"})) return 1;
  const std::string& path = args.Positional[0];
  const std::string* pngPath = args.Value("--png");
  if (pngPath && args.Has("--json"))
    return kAnsiCommand.Fail("--json and --png exclude each other");
  int columns = 0;
  if (const std::string* text = args.Value("--columns");
      text && !kAnsiCommand.ReadNumber("--columns", *text, 1, kArtMaxWidth, columns))
    return 1;
  int maxRows = 0;
  if (const std::string* text = args.Value("--max-rows");
      text && !kAnsiCommand.ReadNumber("--max-rows", *text, 1, kMostRowsAsked, maxRows))
    return 1;
  std::optional<bool> ice, aspect;
  if (!ReadOnOffAuto(args, "--ice", ice) || !ReadOnOffAuto(args, "--aspect", aspect)) return 1;
  if (args.Has("--aspect") && !pngPath) return kAnsiCommand.Fail("--aspect is for --png");
  const TPalette* palette = nullptr;
  if (const std::string* name = args.Value("--palette")) {
    const auto parsed = ParsePaletteName(*name);
    if (!parsed) return kAnsiCommand.Fail("--palette takes classic or vga, not '" + *name + "'");
    if (args.Has("--json"))
      return kAnsiCommand.Fail("--palette is for --png and the text: --json gives attributes");
    palette = &PaletteFor(*parsed);
  }

  TArtRead read;
  int error = 0;
  if (!ReadArtFile(path, read, error, columns, ice, maxRows))
    return kAnsiCommand.Fail(path + ": " + FileErrorText(error));
  const TArtPicture& picture = read.Picture;
  if (NothingDrawn(read.Problem)) return kAnsiCommand.Fail(path + ": " + read.Message);
  // What the file holds is drawn; the user is told what is missing.
  if (read.Problem != TArtProblem::None) {
    const bool cut = picture.Rows() == picture.RowLimit() && picture.RowLimit() < kMostRowsAsked;
    kAnsiCommand.Warn(path + ": " + read.Message + (cut ? " (--max-rows shows more)" : ""));
  }
  if (pngPath) {
    // Not stretched unless asked: auto follows the record's aspect-ratio bits.
    const bool tallPixels =
        args.Has("--aspect") && aspect.value_or(picture.Hints.Aspect == TAspectRatio::Legacy);
    return WriteArtPng(kAnsiCommand, *pngPath, picture, palette ? *palette : kClassicPalette,
                       tallPixels, {path})
               ? 0
               : 1;
  }
  if (args.Has("--json")) {
    const int lines = std::max(1, picture.Rows());
    return kAnsiCommand.WriteStdout(CellRowsJson(ArtPictureGrid(picture, 0, lines))) ? 0 : 1;
  }
  return kAnsiCommand.WriteStdout(TerminalText(picture, palette)) ? 0 : 1;
}

}  // namespace
