// brixel-cli render: draws a text with a font of a file on an 80x25 screen
// model through the same drawing code as the window, and prints the result.

#include <cstdio>
#include <limits>
#include <string>
#include <string_view>

#include "ansi/AnsiText.h"
#include "app/cli/CliArgs.h"
#include "app/cli/CliCommands.h"
#include "app/cli/Json.h"
#include "app/cli/PngOutput.h"
#include "console/TextConsole.h"
#include "tdf/FontFile.h"
#include "tdf/GlyphRender.h"
#include "tdf/OutlineStyles.h"
#include "util/Cp437.h"

namespace {
int Run(int argc, char** argv);
}  // namespace

const TCliCommand kRenderCommand(
    "render", "TEXT drawn with a font of FILE on an 80x25 screen (--png: as a 640x400 picture)",
    "usage: brixel-cli render [--font N] [--x X] [--y Y] [--color C] [--outline-style S]\n"
    "                         [--ans OUT | --png OUT | --json] [--] FILE TEXT\n"
    "  S: the style Outline fonts are drawn in, 0-18 (default 0)\n",
    Run);

namespace {

struct TRenderOptions {
  std::string File;
  std::string Text;
  int Font = 0;  // 0: the font selected after loading
  int X = 1;
  int Y = 1;
  int Color = 15;
  int OutlineStyle = 0;
  std::string AnsFile;
  std::string PngFile;  // the whole 80x25 screen as the window shows it
  bool Json = false;
};

constexpr TCliOption kRenderOptions[] = {{"--font", true},          {"--x", true},
                                         {"--y", true},             {"--color", true},
                                         {"--outline-style", true}, {"--ans", true},
                                         {"--png", true},           {"--json", false}};

bool ParseRenderOptions(int argc, char** argv, TCliArgs& args, TRenderOptions& options) {
  if (!kRenderCommand.Parse(argc, argv, kRenderOptions, args) || args.Help) return false;
  const struct {
    std::string_view Name;
    int Low, High;
    int& Target;
  } numbers[] = {{"--font", 1, std::numeric_limits<int>::max(), options.Font},
                 {"--outline-style", 0, kOutlineStyleCount - 1, options.OutlineStyle},
                 // Where a glyph can start: column 80 is never drawn, and a text
                 // placed off the screen would print nothing and look done.
                 {"--x", 1, 79, options.X},
                 {"--y", 1, 25, options.Y},
                 {"--color", 0, 15, options.Color}};
  for (const auto& n : numbers) {
    const std::string* value = args.Value(n.Name);
    if (value && !kRenderCommand.ReadNumber(n.Name, *value, n.Low, n.High, n.Target)) return false;
  }
  if (const std::string* ans = args.Value("--ans")) options.AnsFile = *ans;
  if (const std::string* png = args.Value("--png")) options.PngFile = *png;
  options.Json = args.Has("--json");
  if (!kRenderCommand.ExpectPositionals(args, {"FILE", "TEXT"})) return false;
  if (options.Json + !options.AnsFile.empty() + !options.PngFile.empty() > 1) {
    kRenderCommand.Fail("--json, --ans and --png exclude each other");
    return false;
  }
  options.File = args.Positional[0];
  options.Text = Utf8ToCp437(args.Positional[1]);
  return true;
}

// The rows whose cells differ from the cleared screen.
void UsedRows(const TTextConsole& screen, int& first, int& last) {
  first = 0;
  last = 0;
  for (int y = 1; y <= screen.Rows; ++y) {
    for (int x = 1; x <= screen.Cols; ++x) {
      if (screen.Screen[y][x] != TScreenChar{0, 7}) {
        if (first == 0) first = y;
        last = y;
        break;
      }
    }
  }
}

int Run(int argc, char** argv) {
  TCliArgs args;
  TRenderOptions options;
  if (!ParseRenderOptions(argc, argv, args, options))
    return args.Help ? kRenderCommand.ShowHelp() : 1;

  TFontFile font;
  if (!kRenderCommand.LoadFont(options.File, font)) return 1;
  if (font.Count() == 0) return kRenderCommand.Fail(options.File + " holds no fonts");
  const int number = options.Font ? options.Font : font.Count();
  if (number > font.Count())
    return kRenderCommand.Fail("font " + std::to_string(number) + " does not exist; the file has " +
                               std::to_string(font.Count()));
  if (!SelectFont(font, number))
    return kRenderCommand.Fail("font " + std::to_string(number) + " has no valid header");
  // Nothing to print would look like an empty text; say why instead.
  if (FontTypeName(font).empty()) {
    return kRenderCommand.Fail("font " + std::to_string(number) +
                               " cannot be drawn: it is of unknown type " +
                               std::to_string(font.Header.FontType));
  }

  // The same steps as the main screen: cleared in attribute 7, Block and
  // Outline fonts in the chosen colour, Color fonts in their own.
  TTextConsole screen(1);
  screen.SetTextAttr(7);
  screen.ClrScr();
  const bool ownColours = font.Header.FontType == ftColor;
  screen.SetTextAttr(ownColours ? 15 : static_cast<uint8_t>(options.Color));
  DrawFontText(screen, font, options.X, options.Y, options.Text,
               {static_cast<uint8_t>(options.Color), static_cast<uint8_t>(options.OutlineStyle)});

  if (!options.PngFile.empty()) {
    return WriteScreenPng(kRenderCommand, options.PngFile, screen.Screen, 1, screen.Rows,
                          {options.File})
               ? 0
               : 1;
  }
  if (options.Json)
    return kRenderCommand.WriteStdout(ScreenCellsJson(screen.Screen, 1, screen.Rows)) ? 0 : 1;
  int first = 0, last = 0;
  UsedRows(screen, first, last);
  if (!options.AnsFile.empty()) {
    const std::string art = first ? ScreenRowsToAnsi(screen.Screen, first, last, false) : "";
    return kRenderCommand.WriteOutputFile(options.AnsFile, art, {options.File}) ? 0 : 1;
  }
  const std::string shown = first ? ScreenRowsToAnsi(screen.Screen, first, last, true) : "";
  return kRenderCommand.WriteStdout(shown) ? 0 : 1;
}

}  // namespace
