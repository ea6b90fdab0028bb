// brixel-cli render: draws a text with a font of a file on an 80x25 screen
// model through the same drawing code as the window, and prints the result.

#include <charconv>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "ansi/AnsiText.h"
#include "app/cli/CliCommands.h"
#include "console/ConsoleLayer.h"
#include "console/TextConsole.h"
#include "tdf/FontFile.h"
#include "tdf/GlyphRender.h"
#include "util/Cp437.h"
#include "util/Files.h"

namespace {

constexpr char kRenderUsage[] =
    "usage: brixel-cli render FILE [--font N] [--x X] [--y Y] [--color C] [--ans OUT | --json] "
    "TEXT\n";

// The screen model is the global console while the command runs.
class TConsoleInstall {
 public:
  explicit TConsoleInstall(TTextConsole& console) { Console = &console; }
  ~TConsoleInstall() { Console = nullptr; }
  TConsoleInstall(const TConsoleInstall&) = delete;
  TConsoleInstall& operator=(const TConsoleInstall&) = delete;
};

struct TRenderOptions {
  std::string File;
  std::string Text;
  int Font = 0;  // 0: the font selected after loading
  int X = 1;
  int Y = 1;
  int Color = 15;
  std::string AnsFile;
  bool Json = false;
};

bool ParseNumber(std::string_view text, int low, int high, int& value) {
  int parsed = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed);
  if (ec != std::errc() || end != text.data() + text.size() || parsed < low || parsed > high)
    return false;
  value = parsed;
  return true;
}

bool Fail(const std::string& message) {
  std::fprintf(stderr, "brixel-cli render: %s\n", message.c_str());
  return false;
}

int ExitFailure(const std::string& message) {
  Fail(message);
  return 1;
}

bool ParseRenderOptions(int argc, char** argv, TRenderOptions& options) {
  std::vector<std::string> positional;
  for (int i = 0; i < argc; ++i) {
    const std::string_view arg = argv[i];
    auto number = [&](int low, int high, int& target) {
      if (i + 1 >= argc) return Fail(std::string(arg) + " needs a value");
      if (!ParseNumber(argv[++i], low, high, target))
        return Fail(std::string(arg) + " takes a number from " + std::to_string(low) + " to " +
                    std::to_string(high) + ", not '" + argv[i] + "'");
      return true;
    };
    bool ok = true;
    if (arg == "--font") ok = number(1, 255, options.Font);
    else if (arg == "--x") ok = number(0, 255, options.X);
    else if (arg == "--y") ok = number(0, 255, options.Y);
    else if (arg == "--color") ok = number(0, 15, options.Color);
    else if (arg == "--json") options.Json = true;
    else if (arg == "--ans") {
      if (i + 1 >= argc) return Fail("--ans needs a file name");
      options.AnsFile = argv[++i];
    } else if (arg.size() > 2 && arg.substr(0, 2) == "--") {
      return Fail("unknown option " + std::string(arg));
    } else {
      positional.emplace_back(arg);
    }
    if (!ok) return false;
  }
  if (positional.size() != 2) {
    std::fputs(kRenderUsage, stderr);
    return false;
  }
  if (options.Json && !options.AnsFile.empty()) return Fail("--json and --ans exclude each other");
  options.File = positional[0];
  options.Text = Utf8ToCp437(positional[1]);
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

std::string ScreenJson(const TTextConsole& screen) {
  std::string out = "[";
  for (int y = 1; y <= screen.Rows; ++y) {
    out += y > 1 ? ",\n [" : "[";
    for (int x = 1; x <= screen.Cols; ++x) {
      const TScreenChar cell = screen.Screen[y][x];
      out += (x > 1 ? ",[" : "[") + std::to_string(cell.Ch) + "," + std::to_string(cell.Attr) + "]";
    }
    out += "]";
  }
  return out + "]\n";
}

bool WriteFile(const std::string& path, const std::string& bytes) {
  TFileHandle file;
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
  return file.Create(path) && file.Write({data, bytes.size()}) && file.Close();
}

}  // namespace

int RunRenderCommand(int argc, char** argv) {
  TRenderOptions options;
  if (!ParseRenderOptions(argc, argv, options)) return 1;
  if (!FileThere(options.File)) return ExitFailure("no such file: " + options.File);

  TTextConsole screen(1);
  const TConsoleInstall install(screen);
  const bool loaded = LoadFontFile(options.File);
  if (!loaded) return ExitFailure("cannot read " + options.File);
  if (FontCount == 0) return ExitFailure(options.File + " holds no fonts");
  const int font = options.Font ? options.Font : CurrentFont;
  if (font > FontCount)
    return ExitFailure("font " + std::to_string(font) + " does not exist; the file has " +
                       std::to_string(FontCount));

  // The same steps as the main screen: cleared in attribute 7, Block fonts in
  // the chosen colour, Color fonts in their own.
  const bool selected = SelectFont(font);
  screen.SetTextAttr(7);
  screen.ClrScr();
  screen.SetTextAttr(CurrentHeader.FontType == ftBlock ? static_cast<uint8_t>(options.Color) : 15);
  if (selected) DrawFontText(options.X, options.Y, options.Text);
  if (!selected) return ExitFailure("font " + std::to_string(font) + " has no valid header");

  if (options.Json) {
    std::fputs(ScreenJson(screen).c_str(), stdout);
    return 0;
  }
  int first = 0, last = 0;
  UsedRows(screen, first, last);
  if (!options.AnsFile.empty()) {
    const std::string art = first ? ScreenRowsToAnsi(screen.Screen, first, last, false) : "";
    if (!WriteFile(options.AnsFile, art)) return ExitFailure("cannot write " + options.AnsFile);
    return 0;
  }
  if (first) std::fputs(ScreenRowsToAnsi(screen.Screen, first, last, true).c_str(), stdout);
  return 0;
}
