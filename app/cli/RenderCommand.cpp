// brixel-cli render: text drawn with a font as a banner laid out as wide as
// asked, or (--screen) on the window's 80x25 screen through the window's own
// drawing, printed or written in one of several encodings.

#include <langinfo.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ansi/AnsiText.h"
#include "ansi/HtmlPage.h"
#include "ansi/MircText.h"
#include "app/cli/CliArgs.h"
#include "app/cli/CliCommands.h"
#include "app/cli/FontChoice.h"
#include "app/cli/Json.h"
#include "app/cli/PngOutput.h"
#include "console/TextConsole.h"
#include "tdf/BannerLayout.h"
#include "tdf/FontFile.h"
#include "tdf/GlyphRender.h"
#include "tdf/OutlineStyles.h"
#include "util/Cp437.h"
#include "util/Numbers.h"

namespace {
int Run(int argc, char** argv);
}  // namespace

const TCliCommand kRenderCommand(
    "render", "TEXT drawn with a font as a banner, or on an 80x25 screen as the window draws it",
    "usage: brixel-cli render [--font N] [--width N] [--justify left|center|right]\n"
    "                         [--format ansi|utf8|text|truecolor|mirc|html|json|png]\n"
    "                         [--palette classic|vga] [--color C] [--outline-style S]\n"
    "                         [--no-case-fallback] [--strict] [--ans OUT | --png OUT | --json]\n"
    "                         [--] FILE TEXT...\n"
    "       brixel-cli render --font NAME|FILE:N [--font-dir DIR]... [OPTIONS] [--] TEXT...\n"
    "       brixel-cli render --random [--seed N] [--font-dir DIR]... [OPTIONS] [--] TEXT...\n"
    "       brixel-cli render --screen [--x X] [--y Y] [OPTIONS] [--] FILE TEXT\n"
    "  OPTIONS: those of the first form; FILE can be FILE:N, the n-th font of FILE\n"
    "  TEXT: a line of the banner; \\n in it starts another line, \\\\ is one backslash;\n"
    "    - reads standard input, a line of the banner for each of its lines\n"
    "  --width: the columns a line may take, 0 for no limit (default: the terminal's, else 80)\n"
    "  --format: how the picture is written (default: utf8; ansi is code page 437 bytes,\n"
    "    text the utf8 characters without colours)\n"
    "  --font NAME: the font of that name (in any case) under --font-dir and the folder\n"
    "    in [fonts] path of brixel.ini; --random: one of them that has every character\n"
    "  --no-case-fallback: a letter the font lacks is not drawn with its other case's glyph\n"
    "  --strict: a character the font cannot draw is an error, not a note\n"
    "  --screen: the window's 80x25 screen, the text from column X, row Y (default 1, 1)\n"
    "  S: the style Outline fonts are drawn in, 0-18 (default 0)\n",
    Run);

namespace {

enum class TFormat : uint8_t { Ansi, Utf8, Text, TrueColor, Mirc, Html, Json, Png };

// A word an option takes and what it stands for.
template <typename T>
struct TNamed {
  std::string_view Name;
  T Value;
};

constexpr TNamed<TFormat> kFormats[] = {{"ansi", TFormat::Ansi}, {"utf8", TFormat::Utf8},
                                        {"text", TFormat::Text}, {"truecolor", TFormat::TrueColor},
                                        {"mirc", TFormat::Mirc}, {"html", TFormat::Html},
                                        {"json", TFormat::Json}, {"png", TFormat::Png}};

constexpr TNamed<TJustify> kJustifications[] = {
    {"left", TJustify::Left}, {"center", TJustify::Center}, {"right", TJustify::Right}};

constexpr int kMaxWidth = 65535;

constexpr TCliOption kRenderOptions[] = {{"--font", true},
                                         {"--font-dir", true},
                                         {"--random", false},
                                         {"--seed", true},
                                         {"--width", true},
                                         {"--justify", true},
                                         {"--format", true},
                                         {"--palette", true},
                                         {"--color", true},
                                         {"--outline-style", true},
                                         {"--no-case-fallback", false},
                                         {"--strict", false},
                                         {"--screen", false},
                                         {"--x", true},
                                         {"--y", true},
                                         {"--ans", true},
                                         {"--png", true},
                                         {"--json", false}};

struct TRenderOptions {
  TBannerStyle Banner;
  bool Screen = false;  // the window's 80x25 screen instead of a banner
  int X = 1;
  int Y = 1;
  bool Strict = false;
  TFormat Format = TFormat::Utf8;
  std::string OutFile;  // --ans or --png; empty: standard output
  TPaletteName Palette = TPaletteName::Classic;
  std::optional<uint32_t> Seed;
};

// The value of the word option is given (target stays without the option);
// another word is reported with the words it takes.
template <typename T, size_t N>
bool ReadChoice(const TCliArgs& args, std::string_view option, const TNamed<T> (&table)[N],
                T& target) {
  const std::string* value = args.Value(option);
  if (!value) return true;
  std::string words;
  for (size_t i = 0; i < N; ++i) {
    if (table[i].Name == *value) {
      target = table[i].Value;
      return true;
    }
    words += std::string(i == 0 ? "" : i + 1 == N ? " or " : ", ") + std::string(table[i].Name);
  }
  kRenderCommand.Fail(std::string(option) + " takes " + words + ", not '" + *value + "'");
  return false;
}

bool StdoutIsUtf8Terminal() {
  if (!isatty(STDOUT_FILENO)) return false;
  std::setlocale(LC_CTYPE, "");
  return std::string_view(nl_langinfo(CODESET)) == "UTF-8";
}

int TerminalColumns() {
  winsize size{};
  if (isatty(STDOUT_FILENO) && ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
    return size.ws_col;
  return 80;
}

// Where the output goes and in which form: --ans, --png and --json are the
// formats ansi, png and json, --format names any; by default utf8, or ansi
// for a terminal that does not show UTF-8.
bool ReadOutput(const TCliArgs& args, TRenderOptions& options) {
  const std::string* ans = args.Value("--ans");
  const std::string* png = args.Value("--png");
  const bool json = args.Has("--json");
  if (json + (ans != nullptr) + (png != nullptr) > 1) {
    kRenderCommand.Fail("--json, --ans and --png exclude each other");
    return false;
  }
  std::optional<TFormat> implied;
  std::string_view by;
  if (ans) implied = TFormat::Ansi, by = "--ans", options.OutFile = *ans;
  if (png) implied = TFormat::Png, by = "--png", options.OutFile = *png;
  if (json) implied = TFormat::Json, by = "--json";
  options.Format = isatty(STDOUT_FILENO) && !StdoutIsUtf8Terminal() ? TFormat::Ansi : TFormat::Utf8;
  if (implied) options.Format = *implied;
  TFormat asked = options.Format;
  if (!ReadChoice(args, "--format", kFormats, asked)) return false;
  if (implied && asked != *implied) {
    kRenderCommand.Fail("--format " + *args.Value("--format") + " and " + std::string(by) +
                        " exclude each other");
    return false;
  }
  options.Format = asked;
  return true;
}

bool ReadRenderOptions(const TCliArgs& args, TRenderOptions& options) {
  int color = 15, outlineStyle = 0, seed = 0;
  int width = options.OutFile.empty() ? TerminalColumns() : 80;
  const struct {
    std::string_view Name;
    int Low, High;
    int& Target;
  } numbers[] = {{"--outline-style", 0, kOutlineStyleCount - 1, outlineStyle},
                 // Where a glyph can start: column 80 is never drawn, and a text
                 // placed off the screen would print nothing and look done.
                 {"--x", 1, 79, options.X},
                 {"--y", 1, 25, options.Y},
                 {"--color", 0, 15, color},
                 {"--width", 0, kMaxWidth, width},
                 {"--seed", 0, std::numeric_limits<int>::max(), seed}};
  for (const auto& n : numbers) {
    const std::string* value = args.Value(n.Name);
    if (value && !kRenderCommand.ReadNumber(n.Name, *value, n.Low, n.High, n.Target)) return false;
  }
  if (args.Has("--seed")) options.Seed = static_cast<uint32_t>(seed);
  if (!ReadChoice(args, "--justify", kJustifications, options.Banner.Justify)) return false;
  if (const std::string* palette = args.Value("--palette")) {
    const std::optional<TPaletteName> name = ParsePaletteName(*palette);
    if (!name) {
      kRenderCommand.Fail("--palette takes classic or vga, not '" + *palette + "'");
      return false;
    }
    options.Palette = *name;
  }
  options.Screen = args.Has("--screen") || args.Has("--x") || args.Has("--y");
  for (const std::string_view layout : {"--width", "--justify"}) {
    if (options.Screen && args.Has(layout)) {
      kRenderCommand.Fail(std::string(layout) + " lays a banner out: not with --screen");
      return false;
    }
  }
  if (args.Has("--random") && args.Has("--font")) {
    kRenderCommand.Fail("--random and --font exclude each other");
    return false;
  }
  options.Banner.Width = width;
  options.Banner.CaseFallback = !args.Has("--no-case-fallback");
  options.Banner.Draw = {static_cast<uint8_t>(color), static_cast<uint8_t>(outlineStyle)};
  options.Strict = args.Has("--strict");
  return true;
}

// A text of the command line as fonts draw it: code page 437, a character
// without a code-page-437 form as byte 0, which no glyph draws (rather than
// the '?' a plain conversion makes of it).
std::string DrawableText(std::string_view utf8) {
  return Utf8ToCp437(utf8, '\0');
}

// How a message names a character of the text.
std::string CharName(std::string_view utf8Char) {
  size_t i = 0;
  const char32_t cp = DecodeUtf8(utf8Char, i);
  if (cp >= 0x20 && cp != 0x7F && cp != 0xFFFD) return "'" + std::string(utf8Char) + "'";
  std::string hex;
  for (int shift = 12; shift >= 0; shift -= 4) hex += "0123456789ABCDEF"[(cp >> shift) & 15];
  return "U+" + hex;
}

// Names every character of the texts the font could not draw, once each;
// answers whether there was one.
bool ReportMissing(const std::vector<std::string>& utf8Texts, std::string_view missing,
                   const TFontFile& font) {
  std::vector<std::string> named;
  for (const std::string& text : utf8Texts) {
    for (size_t i = 0; i < text.size();) {
      const size_t start = i;
      DecodeUtf8(text, i);
      const std::string_view one = std::string_view(text).substr(start, i - start);
      const std::string drawn = DrawableText(one);
      if (drawn.size() != 1 || missing.find(drawn[0]) == std::string_view::npos) continue;
      if (std::find(named.begin(), named.end(), one) != named.end()) continue;
      named.emplace_back(one);
      kRenderCommand.Fail("no glyph for " + CharName(one) + " in font " + NumToStr(font.Selected) +
                          " (" + Cp437ToUtf8(FontNameOf(font, font.Selected)) + ")");
    }
  }
  return !named.empty();
}

// A text of the command line with its escapes turned into what they stand
// for: "\\n" a line break, "\\\\" one backslash; any other backslash stays.
std::string WithLineBreaks(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const char next = i + 1 < text.size() ? text[i + 1] : '\0';
    if (text[i] == '\\' && (next == 'n' || next == '\\')) {
      out += next == 'n' ? '\n' : '\\';
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

// The texts to draw: every one given with its escapes, standard input's
// whole text as it is for "-".
std::vector<std::string> ReadTexts(std::span<const std::string> given) {
  std::vector<std::string> texts;
  for (const std::string& text : given) {
    if (text != "-") {
      texts.push_back(WithLineBreaks(text));
      continue;
    }
    std::string input;
    char buffer[65536];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, stdin)) > 0;) input.append(buffer, n);
    if (input.ends_with('\n')) input.pop_back();
    texts.push_back(std::move(input));
  }
  return texts;
}

// How the arguments choose the font.
enum class TFontBy : uint8_t {
  File,    // FILE or FILE:N, and --font N
  Option,  // --font NAME or --font FILE:N
  Random,
};

// Which arguments choose the font and which are texts: the first names the
// font file unless --random or a --font that is no number chose the font,
// and --font abc before a font file is a wrong number, not a name.
bool SplitArguments(const TCliArgs& args, const TRenderOptions& options, TFontBy& by,
                    std::vector<std::string>& texts) {
  const std::vector<std::string>& positional = args.Positional;
  const std::string* font = args.Value("--font");
  const bool number =
      font && std::all_of(font->begin(), font->end(), [](char c) { return c >= '0' && c <= '9'; });
  by = TFontBy::File;
  if (args.Has("--random")) {
    by = TFontBy::Random;
  } else if (font && !number && (positional.empty() || !NamesFontFile(positional[0]))) {
    by = TFontBy::Option;
  }
  const size_t first = by == TFontBy::File ? 1 : 0;
  const bool oneText = positional.size() == first + 1;
  if (positional.size() <= first || (options.Screen && !oneText)) {
    if (by == TFontBy::File) return kRenderCommand.ExpectPositionals(args, {"FILE", "TEXT"});
    return kRenderCommand.ExpectPositionals(args, {"TEXT"});
  }
  texts.assign(positional.begin() + static_cast<std::ptrdiff_t>(first), positional.end());
  return true;
}

// Loads the font the arguments choose; texts (as given, UTF-8) are what a
// random font must be able to draw.
bool ChooseFont(const TCliArgs& args, const TRenderOptions& options, TFontBy by,
                const std::vector<std::string>& texts, TFontFile& font) {
  std::string path;
  int number = 0;
  if (by == TFontBy::Random) {
    std::string all;
    for (const std::string& text : texts) all += DrawableText(text) + " ";
    // Line ends are no characters to draw.
    std::replace(all.begin(), all.end(), '\n', ' ');
    std::erase(all, '\r');
    return LoadRandomFont(kRenderCommand, FontFolders(args), all, options.Banner.CaseFallback,
                          options.Seed, font);
  }
  if (by == TFontBy::Option) {
    const std::string& choice = *args.Value("--font");
    if (SplitFontChoice(choice, path, number))
      return LoadDrawableFont(kRenderCommand, path, number, font);
    return LoadFontNamed(kRenderCommand, FontFolders(args), choice, font);
  }
  path = args.Positional[0];
  const bool numbered = SplitFontChoice(args.Positional[0], path, number);
  if (const std::string* option = args.Value("--font")) {
    if (numbered) {
      kRenderCommand.Fail("FILE:N and --font both choose a font");
      return false;
    }
    if (!kRenderCommand.ReadNumber("--font", *option, 1, std::numeric_limits<int>::max(), number))
      return false;
  }
  return LoadDrawableFont(kRenderCommand, path, number, font);
}

// Writes text (or bytes) where the options send it.
bool WriteText(const TRenderOptions& options, const std::string& out, const TFontFile& font) {
  if (options.OutFile.empty()) return kRenderCommand.WriteStdout(out);
  return kRenderCommand.WriteOutputFile(options.OutFile, out, {font.Path});
}

bool WritePicture(const TRenderOptions& options, const TCellRows& rows, const TFontFile& font,
                  std::string_view title) {
  const TPalette& palette = PaletteFor(options.Palette);
  switch (options.Format) {
    case TFormat::Ansi:
      return WriteText(options, CellRowsToAnsi(rows, TAnsiForm::Cp437), font);
    case TFormat::Utf8:
      return WriteText(options, CellRowsToAnsi(rows, TAnsiForm::Utf8), font);
    case TFormat::Text:
      return WriteText(options, CellRowsToText(rows), font);
    case TFormat::TrueColor:
      return WriteText(options, CellRowsToAnsi(rows, TAnsiForm::TrueColor, palette), font);
    case TFormat::Mirc:
      return WriteText(options, CellRowsToMirc(rows), font);
    case TFormat::Html:
      return WriteText(options, CellRowsToHtml(rows, palette, title), font);
    case TFormat::Json:
      return WriteText(options, CellRowsJson(rows), font);
    case TFormat::Png:
      return options.OutFile.empty()
                 ? WriteCellsPngToStdout(kRenderCommand, rows, palette)
                 : WriteCellsPng(kRenderCommand, options.OutFile, rows, palette, {font.Path});
  }
  return false;
}

// The rows whose cells differ from the cleared screen, from the first to
// the last of them (none on a clear screen).
TGridRows UsedRows(const TCellGrid& screen) {
  int first = -1, last = -1;
  for (int y = 0; y < screen.Height(); ++y) {
    if (std::ranges::any_of(screen.Row(y), [](TScreenChar c) { return c != kBlankCell; })) {
      if (first < 0) first = y;
      last = y;
    }
  }
  return {screen, first, first < 0 ? 0 : last - first + 1};
}

// The window's picture: the same steps as the main screen, cleared in
// attribute 7, Block and Outline fonts in the chosen colour, Color fonts in
// their own. JSON and PNG show the whole screen, the text forms its used rows.
bool WriteScreen(const TRenderOptions& options, const TFontFile& font, const std::string& text) {
  TTextConsole screen(1);
  screen.SetTextAttr(7);
  screen.ClrScr();
  const bool ownColours = font.Header.FontType == ftColor;
  screen.SetTextAttr(ownColours ? 15 : options.Banner.Draw.Attr);
  DrawFontText(screen, font, options.X, options.Y, text, options.Banner.Draw);
  const bool whole = options.Format == TFormat::Json || options.Format == TFormat::Png;
  return WritePicture(options,
                      whole ? TGridRows(screen.Screen, 0, screen.Rows) : UsedRows(screen.Screen),
                      font, text);
}

int Run(int argc, char** argv) {
  TCliArgs args;
  TRenderOptions options;
  if (!kRenderCommand.Parse(argc, argv, kRenderOptions, args)) return 1;
  if (args.Help) return kRenderCommand.ShowHelp();
  if (!ReadOutput(args, options) || !ReadRenderOptions(args, options)) return 1;
  TFontBy by = TFontBy::File;
  std::vector<std::string> texts;
  if (!SplitArguments(args, options, by, texts)) return 1;
  if (!options.Screen) texts = ReadTexts(texts);
  TFontFile font;
  if (!ChooseFont(args, options, by, texts, font)) return 1;

  if (options.Screen) {
    // Exactly what the window draws, the text converted as it always was.
    const std::string text = Utf8ToCp437(texts.front());
    TBannerStyle asDrawn = options.Banner;
    asDrawn.CaseFallback = false;
    const std::string lines[] = {text};
    const bool missing = ReportMissing(texts, LayOutBanner(font, lines, asDrawn).Missing, font);
    if (missing && options.Strict) return 1;
    return WriteScreen(options, font, text) ? 0 : 1;
  }
  std::vector<std::string> lines;
  lines.reserve(texts.size());
  for (const std::string& text : texts) lines.push_back(DrawableText(text));
  const TBanner banner = LayOutBanner(font, lines, options.Banner);
  if (ReportMissing(texts, banner.Missing, font) && options.Strict) return 1;
  return WritePicture(options, banner.Canvas, font, texts.front()) ? 0 : 1;
}

}  // namespace
