// brixel-cli list: the signature verdict and the fonts of a TheDraw font file,
// as the program's loader reads them, as text or as one JSON object.

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli/CliArgs.h"
#include "app/cli/CliCommands.h"
#include "app/cli/Json.h"
#include "tdf/FontCollection.h"
#include "tdf/FontFile.h"
#include "util/Cp437.h"
#include "util/Numbers.h"
#include "util/Text.h"

namespace {
int Run(int argc, char** argv);
}  // namespace

const TCliCommand kListCommand(
    "list", "the fonts of a TheDraw font file (.tdf) and the font selected after loading",
    "usage: brixel-cli list [--json] [--] FILE\n", Run);

namespace {
constexpr TCliOption kListOptions[] = {{"--json", false}};

struct TListedFont {
  int Number = 0;
  std::string Name;  // code page 437
  std::string Type;
  int Spacing = 0;
  int BlockSize = 0;
  int32_t Offset = 0;
  int Glyphs = 0;  // how many of '!'..'~' the font has
};

struct TListing {
  std::string File;
  bool SignatureOk = false;
  bool Figlet = false;  // a FIGlet or TOIlet font, listed as the font made of it
  std::vector<TListedFont> Fonts;
  int Selected = 0;
  std::string Chars;  // GetFontChars of the selected font, code page 437
};

// Collects everything shown from the headers the load kept, so a bundle of
// thousands of fonts is listed without reading the file again; the selection
// made by loading is reported, as that is the font the program would show.
TListing Collect(const TFontFile& file) {
  TListing listing;
  listing.File = file.Path;
  // The loader keeps the signature only when it is valid.
  listing.Figlet = file.Converted != nullptr;
  listing.SignatureOk = SignatureValid(file.Signature) && !listing.Figlet;
  listing.Selected = file.Count() > 0 ? file.Selected : 0;
  listing.Chars = file.Count() > 0 ? GetFontChars(file) : "";
  for (int n = 1; n <= file.Count(); ++n) {
    TListedFont font;
    font.Number = n;
    font.Name = file.Fonts[n].Name;
    font.Type = FontTypeLabel(file.Fonts[n].FontType);
    font.Offset = file.Fonts[n].Offset;
    const TFontHeader& header = file.Fonts[n].Header;
    font.Spacing = header.Spacing;
    font.BlockSize = BlockSizeOf(header);
    font.Glyphs = GlyphCountOf(header);
    listing.Fonts.push_back(font);
  }
  return listing;
}

std::string AsText(const TListing& l) {
  std::string out = "file: " + l.File + "\n";
  out += std::string("signature: ") +
         (l.SignatureOk ? "ok"
          : l.Figlet    ? "none: a FIGlet font, listed as the Block font made of it"
                        : "not a TheDraw font file") +
         "\n";
  if (l.Fonts.empty()) return out + "no fonts found\n";
  out += "fonts: " + NumToStr(static_cast<int32_t>(l.Fonts.size())) + "\n";
  out += "    # name         type     spacing block size glyphs\n";
  out.reserve(out.size() + l.Fonts.size() * 64);
  for (const TListedFont& f : l.Fonts) {
    // Pad in code page 437 first so every name takes 12 columns on screen.
    for (const std::string& field :
         {PadLeft(NumToStr(f.Number), 5, ' '), Cp437ToUtf8(PadRight(f.Name, 12, ' ')),
          PadRight(f.Type, 8, ' '), PadLeft(NumToStr(f.Spacing), 7, ' '),
          PadLeft(NumToStr(f.BlockSize), 10, ' ')}) {
      out += field;
      out += ' ';
    }
    out += PadLeft(NumToStr(f.Glyphs), 6, ' ');
    out += '\n';
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
           ", \"glyphs\": " + NumToStr(f.Glyphs) + "}";
  }
  out += l.Fonts.empty() ? "]" : "\n]";
  if (l.Selected > 0) {
    out += ", \"selected\": " + NumToStr(l.Selected) + ", \"chars\": " + JsonCp437String(l.Chars);
  } else {
    out += ", \"selected\": null, \"chars\": null";
  }
  return out + "}\n";
}

int Run(int argc, char** argv) {
  TCliArgs args;
  if (!kListCommand.Parse(argc, argv, kListOptions, args)) return 1;
  if (args.Help) return kListCommand.ShowHelp();
  if (!kListCommand.ExpectPositionals(args, {"FILE"})) return 1;
  const std::string& path = args.Positional.front();
  TFontFile file;
  if (!kListCommand.LoadFont(path, file)) return 1;

  const TListing listing = Collect(file);
  return kListCommand.WriteStdout(args.Has("--json") ? AsJson(listing) : AsText(listing)) ? 0 : 1;
}

}  // namespace
