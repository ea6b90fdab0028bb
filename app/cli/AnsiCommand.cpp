// brixel-cli ansi: reads an art file of any format the archives hold (ANSI
// and text, BIN, XBin, ArtWorx, iCE Draw, TundraDraw, PCBoard) and prints
// the picture, rows 1 to its last row in use, to the terminal or as JSON
// cells, or writes it as a PNG file drawn as the window draws cells.

#include <optional>
#include <string>
#include <vector>

#include "ansi/AnsiText.h"
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
    "       brixel-cli ansi [--json | --png OUT] [--columns N] [--ice on|off|auto]\n"
    "                       [--palette classic|vga] [--] FILE\n"
    "  N: the width (1-1024) of ANSI, text, BIN, TundraDraw and PCBoard pictures\n"
    "  --ice: bit 7 a bright background (on), blink on dark (off), as SAUCE says (auto)\n"
    "  --palette: the PNG's colours (default classic); files with their own keep them\n",
    Run);

namespace {
constexpr TCliOption kAnsiOptions[] = {
    {"--json", false}, {"--png", true}, {"--ice", true}, {"--palette", true}, {"--columns", true}};

// --ice: on, off, or auto (nothing: the file decides).
bool ReadIce(const TCliArgs& args, std::optional<bool>& ice) {
  const std::string* value = args.Value("--ice");
  if (!value || *value == "auto") return true;
  if (*value == "on" || *value == "off") {
    ice = *value == "on";
    return true;
  }
  kAnsiCommand.Fail("--ice takes on, off or auto, not '" + *value + "'");
  return false;
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
  std::optional<bool> ice;
  if (!ReadIce(args, ice)) return 1;
  TPaletteName palette = TPaletteName::Classic;
  if (const std::string* name = args.Value("--palette")) {
    const auto parsed = ParsePaletteName(*name);
    if (!parsed) return kAnsiCommand.Fail("--palette takes classic or vga, not '" + *name + "'");
    palette = *parsed;
  }

  std::vector<uint8_t> bytes;
  int error = 0;
  if (!ReadWholeFile(path, bytes, error))
    return kAnsiCommand.Fail(path + ": " + FileErrorText(error));
  const TArtRead read = ReadArt(bytes, path, columns);
  switch (read.Problem) {
    case TArtProblem::None:
      break;
    case TArtProblem::NotThisFormat:
    case TArtProblem::BadHeader:
      return kAnsiCommand.Fail(path + ": " + read.Message);
    case TArtProblem::Truncated:
    case TArtProblem::TooLarge:
      // What the file holds is drawn; the user is told what is missing.
      kAnsiCommand.Warn(path + ": " + read.Message);
      break;
  }
  const TArtPicture& picture = read.Picture;
  if (pngPath) {
    return WriteArtPng(kAnsiCommand, *pngPath, picture, ice.value_or(picture.Hints.Ice),
                       PaletteFor(palette), {path})
               ? 0
               : 1;
  }
  const int lines = std::max(1, picture.Rows());
  const TScreen screen = ArtPictureScreen(picture, 0, lines);
  const std::string out = args.Has("--json") ? ScreenCellsJson(screen, 1, lines)
                                             : ScreenRowsToAnsi(screen, 1, lines, true);
  return kAnsiCommand.WriteStdout(out) ? 0 : 1;
}

}  // namespace
