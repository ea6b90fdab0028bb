// brixel-cli: the font core of Brixel for scripts and terminals. The first
// argument names a subcommand; each lives in its own file (CliCommands.h).

#include <cstdio>
#include <string>
#include <string_view>

#include "app/cli/CliCommands.h"
#include "util/Paths.h"
#include "util/Version.h"

namespace {

struct TCommand {
  std::string_view Name;
  int (*Run)(int argc, char** argv);
};

constexpr TCommand kCommands[] = {
    {"list", RunListCommand},
    {"fonts", RunFontsCommand},
    {"render", RunRenderCommand},
    {"ansi", RunAnsiCommand},
    {"text", RunTextCommand},
    {"create", RunCreateCommand},
    {"rename", RunRenameCommand},
    {"spacing", RunSpacingCommand},
    {"type", RunTypeCommand},
    {"extract", RunExtractCommand},
    {"merge", RunMergeCommand},
    {"capture", RunCaptureCommand},
    {"glyph", RunGlyphCommand},
    {"sauce", RunSauceCommand},
};

constexpr char kUsage[] =
    "usage: brixel-cli COMMAND [ARGS...]\n"
    "\n"
    "commands:\n"
    "  list [--json] FILE\n"
    "      the fonts of a TheDraw font file (.tdf) and the font selected after loading\n"
    "  fonts [--json] [--has TEXT] PATH...\n"
    "      every font of every font file under the paths (folders searched recursively);\n"
    "      --has: only the fonts with a glyph for every character of TEXT but the space\n"
    "  render [--font N] [--x X] [--y Y] [--color C] [--outline-style S]\n"
    "         [--ans OUT | --png OUT | --json] FILE TEXT\n"
    "      TEXT drawn with a font of FILE on an 80x25 screen (--png: as a 640x400 picture)\n"
    "  ansi [--json] FILE\n"
    "  ansi --png OUT FILE\n"
    "      the picture of an ANSI art file (.ans), as the viewer shows it, or as a PNG file\n"
    "  text FILE OUT\n"
    "      the plain-text export of an ANSI art file, written to OUT\n"
    "  create OUT NAME TYPE\n"
    "      a new font file with one empty font; TYPE block or color (1 or 2)\n"
    "  rename [--font N] FILE NAME\n"
    "  spacing [--font N] FILE S\n"
    "  type [--font N] FILE T\n"
    "      change a font's name (up to 12 characters; a longer one is cut with a warning),\n"
    "      letter spacing (0-255) or type (outline, block, color or 0-2);\n"
    "      N defaults to the last font\n"
    "  extract [--font N] FILE OUT\n"
    "      a font of FILE into a file of its own\n"
    "  merge FILE OTHER\n"
    "      copies the fonts of OTHER into FILE after its last font (a SAUCE record stays last)\n"
    "  capture [--font N] FONTFILE ART X1 Y1 X2 Y2 CHAR\n"
    "      the block X1,Y1-X2,Y2 of ANSI art (1-based) stored as the glyph of CHAR\n"
    "  glyph [--font N] [--json] FILE CHAR\n"
    "      the cells of the glyph of CHAR, row by row (JSON: null for an undefined cell)\n"
    "  sauce [--json] FILE\n"
    "      the SAUCE record (title, author, group, date, ...) of any file, or null\n"
    "  sauce [--title T] [--author A] [--group G] [--date CCYYMMDD] [--comment LINE]... FILE\n"
    "      writes the record; fields not given keep their value\n"
    "\n"
    "  brixel-cli --help           this text\n"
    "  brixel-cli --version        the version: brixel-cli VERSION\n"
    "  brixel-cli COMMAND --help   the usage of one command\n"
    "  --                          ends the options: names and texts after it may start with '-'\n";

}  // namespace

int main(int argc, char** argv) {
  SetProgramArg0(argc > 0 ? argv[0] : nullptr);
  if (argc < 2) {
    std::fputs(kUsage, stderr);
    return 1;
  }
  const std::string_view name = argv[1];
  if (name == "--help" || name == "-h" || name == "help") {
    // A closed or full standard output is a failure like any other output's.
    return std::fputs(kUsage, stdout) >= 0 && std::fflush(stdout) == 0 ? 0 : 1;
  }
  if (name == "--version") {
    const std::string line = "brixel-cli " + std::string(kBrixelVersion) + "\n";
    return std::fputs(line.c_str(), stdout) >= 0 && std::fflush(stdout) == 0 ? 0 : 1;
  }
  for (const TCommand& command : kCommands) {
    if (command.Name == name) return command.Run(argc - 2, argv + 2);
  }
  std::fprintf(stderr, "brixel-cli: unknown command '%s'\n\n", argv[1]);
  std::fputs(kUsage, stderr);
  return 1;
}
