// brixel-cli glyph: the cells of one glyph as the editor sees them, so
// scripts can read what the window wrote.

#include <string>

#include "app/cli/CliArgs.h"
#include "app/cli/CliCommands.h"
#include "app/cli/Json.h"
#include "tdf/FontFile.h"
#include "tdf/GlyphEdit.h"
#include "util/Cp437.h"
#include "util/Numbers.h"

namespace {
int Run(int argc, char** argv);
}  // namespace

const TCliCommand kGlyphCommand(
    "glyph", "the cells of one glyph of a font, as the glyph editor sees them",
    "usage: brixel-cli glyph [--font N] [--json] [--] FILE CHAR\n"
    "  the cells of the glyph of CHAR ('!'..'~'), row by row; Color fonts with\n"
    "  their attributes. Text: each row between bars (Color: then the attributes\n"
    "  in hex); JSON: [character, attribute] pairs for Color fonts, character\n"
    "  codes for the others, null for a cell the glyph does not define\n",
    Run);

namespace {
constexpr TCliOption kGlyphOptions[] = {{"--font", true}, {"--json", false}};

std::string AsText(const TGlyphPicture& p, uint8_t ch, const TFontFile& font) {
  const bool color = font.Header.FontType == ftColor;
  std::string out = "glyph '" + std::string(1, static_cast<char>(ch)) + "' of font " +
                    NumToStr(font.Selected) + " (" + Cp437ToUtf8(FontNameOf(font, font.Selected)) +
                    ", " + FontTypeName(font) + "), " + NumToStr(p.Width) + "x" +
                    NumToStr(p.Height) + "\n";
  for (const auto& row : p.Cells) {
    std::string chars, attrs;
    for (const TEditCell& cell : row) {
      if (!cell.Defined) break;  // a stored row ends at its last cell
      chars += static_cast<char>(cell.Ch);
      attrs += " " + HexByte(cell.Attr);
    }
    out += "|" + Cp437ToUtf8(chars) + "|" + (color ? attrs : "") + "\n";
  }
  return out;
}

std::string AsJson(const TGlyphPicture& p, uint8_t ch, const TFontFile& font) {
  const bool color = font.Header.FontType == ftColor;
  std::string out = "{\"char\": " + JsonCp437String(std::string(1, static_cast<char>(ch))) +
                    ", \"font\": " + NumToStr(font.Selected) +
                    ", \"name\": " + JsonCp437String(FontNameOf(font, font.Selected)) +
                    ", \"type\": " + JsonString(FontTypeName(font)) +
                    ", \"width\": " + NumToStr(p.Width) + ", \"height\": " + NumToStr(p.Height) +
                    ",\n \"rows\": [";
  for (size_t r = 0; r < p.Cells.size(); ++r) {
    out += r > 0 ? ",\n  [" : "\n  [";
    for (size_t c = 0; c < p.Cells[r].size(); ++c) {
      const TEditCell& cell = p.Cells[r][c];
      if (c > 0) out += ",";
      if (!cell.Defined)
        out += "null";
      else if (color)
        out += "[" + NumToStr(cell.Ch) + "," + NumToStr(cell.Attr) + "]";
      else
        out += NumToStr(cell.Ch);
    }
    out += "]";
  }
  return out + "]}\n";
}

int Run(int argc, char** argv) {
  TCliArgs args;
  if (!kGlyphCommand.Parse(argc, argv, kGlyphOptions, args)) return 1;
  if (args.Help) return kGlyphCommand.ShowHelp();
  if (!kGlyphCommand.ExpectPositionals(args, {"FILE", "CHAR"})) return 1;
  const std::string& file = args.Positional[0];
  const std::string ch = Utf8ToCp437(args.Positional[1]);
  if (ch.size() != 1 || static_cast<uint8_t>(ch[0]) < kFirstGlyphChar ||
      static_cast<uint8_t>(ch[0]) > kLastGlyphChar)
    return kGlyphCommand.Fail("CHAR must be one character from '!' to '~', not '" +
                              args.Positional[1] + "'");
  TFontFile font;
  if (!kGlyphCommand.LoadFontAndSelect(file, args, font)) return 1;
  const auto code = static_cast<uint8_t>(ch[0]);
  TGlyphPicture picture;
  if (LoadGlyphPicture(font, code, picture) == TGlyphRead::Absent)
    return kGlyphCommand.Fail("font " + NumToStr(font.Selected) + " has no glyph for '" +
                              args.Positional[1] + "'");
  const std::string text =
      args.Has("--json") ? AsJson(picture, code, font) : AsText(picture, code, font);
  return kGlyphCommand.WriteStdout(text) ? 0 : 1;
}

}  // namespace
