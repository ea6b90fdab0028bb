// brixel-cli ansi: interprets an ANSI art file the way the viewer does and
// prints the picture, rows 1 to its last row in use, to the terminal or as
// JSON cells, or writes it as a PNG file drawn as the window draws cells.

#include <memory>
#include <string>

#include "ansi/AnsiFile.h"
#include "ansi/AnsiInterpreter.h"
#include "ansi/AnsiText.h"
#include "app/cli/CliArgs.h"
#include "app/cli/CliCommands.h"
#include "app/cli/Json.h"
#include "app/cli/PngOutput.h"
#include "util/Files.h"

namespace {
int Run(int argc, char** argv);
}  // namespace

const TCliCommand kAnsiCommand(
    "ansi", "the picture of an ANSI art file (.ans), as the viewer shows it, or as a PNG file",
    "usage: brixel-cli ansi [--json] [--] FILE\n"
    "       brixel-cli ansi --png OUT [--] FILE\n",
    Run);

namespace {
constexpr TCliOption kAnsiOptions[] = {{"--json", false}, {"--png", true}};

int Run(int argc, char** argv) {
  TCliArgs args;
  if (!kAnsiCommand.Parse(argc, argv, kAnsiOptions, args)) return 1;
  if (args.Help) return kAnsiCommand.ShowHelp();
  if (!kAnsiCommand.ExpectPositionals(args, {"FILE"})) return 1;
  const std::string& path = args.Positional[0];

  auto ansi = std::make_unique<TMsgBaseAnsi>();
  int error = 0;
  if (!LoadAnsiFile(path, *ansi, error))
    return kAnsiCommand.Fail(path + ": " + FileErrorText(error));
  const TScreen picture = AnsiImageScreen(*ansi);
  if (const std::string* pngPath = args.Value("--png")) {
    if (args.Has("--json")) return kAnsiCommand.Fail("--json and --png exclude each other");
    return WriteScreenPng(kAnsiCommand, *pngPath, picture, 1, ansi->Lines, {path}) ? 0 : 1;
  }
  const std::string out = args.Has("--json") ? ScreenCellsJson(picture, 1, ansi->Lines)
                                             : ScreenRowsToAnsi(picture, 1, ansi->Lines, true);
  return kAnsiCommand.WriteStdout(out) ? 0 : 1;
}

}  // namespace
