// brixel-cli fonts: every font of every font file under some paths, one line
// (or one JSON object) a font, optionally only the fonts that can draw a text.

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli/CliArgs.h"
#include "app/cli/CliCommands.h"
#include "app/cli/CollectionOutputs.h"
#include "app/cli/Json.h"
#include "tdf/FontCollection.h"
#include "util/Cp437.h"
#include "util/Numbers.h"
#include "util/Text.h"

namespace {
int Run(int argc, char** argv);
}  // namespace

const TCliCommand kFontsCommand(
    "fonts", "every font of every font file under the paths (folders searched recursively)",
    "usage: brixel-cli fonts [--json] [--has TEXT] [--] PATH...\n"
    "       brixel-cli fonts --sheet OUT [--has TEXT] [--width N] [--palette classic|vga]\n"
    "                        [--color C] [--outline-style S] [--] TEXT PATH...\n"
    "       brixel-cli fonts --duplicates [--json] [--has TEXT] [--] PATH...\n"
    "  --has: only the fonts with a glyph for every character of TEXT but the space\n"
    "  --sheet: a PNG picture of every font drawn with TEXT under its file, number and name,\n"
    "    in lines of --width columns (default 80, 0 for no limit)\n"
    "  --duplicates: the groups of fonts that draw alike (type, spacing and every glyph),\n"
    "    whatever their names\n",
    Run);

namespace {
constexpr TCliOption kFontsOptions[] = {
    {"--json", false}, {"--has", true},     {"--sheet", true}, {"--duplicates", false},
    {"--width", true}, {"--palette", true}, {"--color", true}, {"--outline-style", true}};

// Columns a UTF-8 text takes: every byte but the continuation bytes.
size_t Columns(std::string_view s) {
  return static_cast<size_t>(std::count_if(
      s.begin(), s.end(), [](char c) { return (static_cast<uint8_t>(c) & 0xC0) != 0x80; }));
}

// Paths can be longer than the program's 255-character texts, so padding is done here.
void Append(std::string& out, std::string_view s, size_t width, bool right) {
  const std::string fill(width - std::min(width, Columns(s)), ' ');
  if (right) out += fill;
  out += s;
  if (!right) out += fill;
}

std::vector<const TCollectedFont*> Selected(const TFontCollection& collection,
                                            const std::string* has) {
  std::vector<const TCollectedFont*> fonts;
  fonts.reserve(collection.Fonts.size());
  for (const TCollectedFont& f : collection.Fonts)
    if (!has || HasEveryChar(f.Font.Header, *has)) fonts.push_back(&f);
  return fonts;
}

std::string AsText(const std::vector<const TCollectedFont*>& fonts,
                   const TFontCollection& collection) {
  size_t file = 0, number = 0, type = 0;
  for (const TCollectedFont* f : fonts) {
    file = std::max(file, Columns(collection.Files[static_cast<size_t>(f->File)]));
    number = std::max(number, NumToStr(f->Number).size());
    type = std::max(type, FontTypeLabel(f->Font.FontType).size());
  }
  std::string out;
  out.reserve(fonts.size() * (file + number + type + 30));
  for (const TCollectedFont* f : fonts) {
    Append(out, collection.Files[static_cast<size_t>(f->File)], file, false);
    out += "  ";
    Append(out, NumToStr(f->Number), number, true);
    // Padded in code page 437 first, so every name takes 12 columns.
    out += "  " + Cp437ToUtf8(PadRight(f->Font.Name, 12, ' ')) + "  ";
    Append(out, FontTypeLabel(f->Font.FontType), type, false);
    Append(out, NumToStr(f->Font.Header.Spacing), 5, true);
    Append(out, NumToStr(GlyphCountOf(f->Font.Header)), 4, true);
    out += '\n';
  }
  return out;
}

std::string AsJson(const std::vector<const TCollectedFont*>& fonts,
                   const TFontCollection& collection) {
  std::vector<std::string> files;  // each path quoted once, not once per font
  files.reserve(collection.Files.size());
  for (const std::string& path : collection.Files) files.push_back(JsonString(path));
  std::string out = "[";
  for (size_t i = 0; i < fonts.size(); ++i) {
    const TCollectedFont& f = *fonts[i];
    out += i ? ",\n  " : "\n  ";
    out += "{\"file\": " + files[static_cast<size_t>(f.File)] +
           ", \"number\": " + NumToStr(f.Number) + ", \"name\": " + JsonCp437String(f.Font.Name) +
           ", \"type\": " + JsonString(FontTypeLabel(f.Font.FontType)) +
           ", \"spacing\": " + NumToStr(f.Font.Header.Spacing) +
           ", \"glyphs\": " + NumToStr(GlyphCountOf(f.Font.Header)) + "}";
  }
  out += fonts.empty() ? "]\n" : "\n]\n";
  return out;
}

int Run(int argc, char** argv) {
  TCliArgs args;
  if (!kFontsCommand.Parse(argc, argv, kFontsOptions, args)) return 1;
  if (args.Help) return kFontsCommand.ShowHelp();
  const std::string* sheet = args.Value("--sheet");
  const bool duplicates = args.Has("--duplicates");
  if (sheet && (duplicates || args.Has("--json")))
    return kFontsCommand.Fail("--sheet writes a picture: not with --duplicates or --json");
  for (const std::string_view option : {"--width", "--palette", "--color", "--outline-style"})
    if (!sheet && args.Has(option))
      return kFontsCommand.Fail(std::string(option) +
                                " shapes the contact sheet: only with --sheet");
  std::vector<std::string> paths = args.Positional;
  std::string text;
  if (sheet) {
    if (paths.size() < 2) {
      kFontsCommand.ExpectPositionals(args, {"TEXT", "PATH"});
      return 1;
    }
    text = paths.front();
    paths.erase(paths.begin());
  } else if (paths.empty() && !kFontsCommand.ExpectPositionals(args, {"PATH"})) {
    return 1;
  }

  const TFontCollection collection = ReadFontCollection(paths);
  for (const std::string& note : collection.Notes) kFontsCommand.Fail(note);
  const auto fonts = Selected(collection, args.Value("--has"));
  bool done = false;
  if (sheet) {
    done = WriteContactSheet(kFontsCommand, args, collection, fonts, *sheet, text);
  } else if (duplicates) {
    done = kFontsCommand.WriteStdout(args.Has("--json") ? DuplicatesJson(collection, fonts)
                                                        : DuplicatesText(collection, fonts));
  } else {
    done = kFontsCommand.WriteStdout(args.Has("--json") ? AsJson(fonts, collection)
                                                        : AsText(fonts, collection));
  }
  return done && collection.NamedPathsRead ? 0 : 1;
}

}  // namespace
