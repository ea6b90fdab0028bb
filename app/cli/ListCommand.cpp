// brixel-cli list: the signature verdict and the fonts of a TheDraw font file,
// as the program's font unit reads them, as text or as one JSON object.

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli/CliArgs.h"
#include "app/cli/CliCommands.h"
#include "app/cli/Json.h"
#include "tdf/FontFile.h"
#include "util/Cp437.h"
#include "util/Numbers.h"
#include "util/Text.h"

namespace {

const TCliCommand kList("list", "usage: brixel-cli list [--json] [--] FILE\n");
constexpr TCliOption kListOptions[] = {{"--json", false}};

struct TListedFont {
  int Number = 0;
  std::string Name;  // code page 437
  std::string Type;
  int Spacing = 0;
  int BlockSize = 0;
  int32_t Offset = 0;
  std::optional<int> Glyphs;  // unknown when the header cannot be read again
};

struct TListing {
  std::string File;
  bool SignatureOk = false;
  std::vector<TListedFont> Fonts;
  int Selected = 0;
  std::string Chars;  // FontChars of the selected font, code page 437
};

std::string TypeLabel(uint8_t fontType) {
  const std::string name = FontTypeNameOf(fontType);
  return name.empty() ? "unknown (" + NumToStr(fontType) + ")" : name;
}

int CountGlyphs(const std::string& chars) {
  return static_cast<int>(std::count_if(chars.begin(), chars.end(), [](char c) {
    return static_cast<uint8_t>(c) != kAbsentGlyphChar;
  }));
}

// Loads the file and collects everything shown. The per-font details need
// each header, so every font is selected in turn; the selection made by
// loading is reported, as that is the font the program would show.
TListing Collect(const std::string& path) {
  TListing listing;
  listing.File = path;
  // The loader keeps the signature only when it is valid; this process loads once.
  listing.SignatureOk = SignatureValid(FileSignature);
  listing.Selected = FontCount > 0 ? CurrentFont : 0;
  listing.Chars = FontCount > 0 ? FontChars : "";
  for (int n = 1; n <= FontCount; ++n) {
    TListedFont font;
    font.Number = n;
    font.Name = Fonts[n].Name;
    font.Type = TypeLabel(Fonts[n].FontType);
    font.Offset = Fonts[n].Offset;
    if (SelectFont(n)) {
      font.Spacing = CurrentHeader.Spacing;
      font.BlockSize = BlockSizeOf(CurrentHeader);
      font.Glyphs = CountGlyphs(GetFontChars());
    }
    listing.Fonts.push_back(font);
  }
  if (listing.Selected > 0) SelectFont(listing.Selected);
  return listing;
}

std::string AsText(const TListing& l) {
  std::string out = "file: " + l.File + "\n";
  out += std::string("signature: ") + (l.SignatureOk ? "ok" : "not a TheDraw font file") + "\n";
  if (l.Fonts.empty()) return out + "no fonts found\n";
  out += "fonts: " + NumToStr(static_cast<int32_t>(l.Fonts.size())) + "\n";
  out += "    # name         type     spacing block size glyphs\n";
  for (const TListedFont& f : l.Fonts) {
    // Pad in code page 437 first so every name takes 12 columns on screen.
    out += PadLeft(NumToStr(f.Number), 5, ' ') + " " + Cp437ToUtf8(PadRight(f.Name, 12, ' ')) +
           " " + PadRight(f.Type, 8, ' ') + " " + PadLeft(NumToStr(f.Spacing), 7, ' ') + " " +
           PadLeft(NumToStr(f.BlockSize), 10, ' ') + " " +
           PadLeft(f.Glyphs ? NumToStr(*f.Glyphs) : "?", 6, ' ') + "\n";
  }
  out += "selected: " + NumToStr(l.Selected) + "\n";
  out += "chars: " + Cp437ToUtf8(l.Chars) + "\n";
  return out;
}

std::string AsJson(const TListing& l) {
  std::string out = "{\"file\": " + JsonString(l.File);
  out += std::string(", \"signature_ok\": ") + (l.SignatureOk ? "true" : "false");
  out += ", \"fonts\": [";
  for (size_t i = 0; i < l.Fonts.size(); ++i) {
    const TListedFont& f = l.Fonts[i];
    out += i ? ",\n  " : "\n  ";
    out += "{\"number\": " + NumToStr(f.Number) + ", \"name\": " + JsonCp437String(f.Name) +
           ", \"type\": " + JsonString(f.Type) + ", \"spacing\": " + NumToStr(f.Spacing) +
           ", \"block_size\": " + NumToStr(f.BlockSize) + ", \"offset\": " + NumToStr(f.Offset) +
           ", \"glyphs\": " + (f.Glyphs ? NumToStr(*f.Glyphs) : "null") + "}";
  }
  out += l.Fonts.empty() ? "]" : "\n]";
  if (l.Selected > 0) {
    out += ", \"selected\": " + NumToStr(l.Selected) + ", \"chars\": " + JsonCp437String(l.Chars);
  } else {
    out += ", \"selected\": null, \"chars\": null";
  }
  return out + "}\n";
}

}  // namespace

int RunListCommand(int argc, char** argv) {
  TCliArgs args;
  if (!kList.Parse(argc, argv, kListOptions, args)) return 1;
  if (args.Help) return kList.ShowHelp();
  if (!kList.ExpectPositionals(args, {"FILE"})) return 1;
  const std::string& path = args.Positional.front();
  if (!kList.LoadFont(path)) return 1;

  const TListing listing = Collect(path);
  return kList.WriteStdout(args.Has("--json") ? AsJson(listing) : AsText(listing)) ? 0 : 1;
}
