#include "app/cli/CollectionOutputs.h"

#include <algorithm>
#include <limits>

#include "app/cli/Json.h"
#include "app/cli/PngOutput.h"
#include "tdf/BannerLayout.h"
#include "tdf/FontDuplicates.h"
#include "tdf/FontSheet.h"
#include "tdf/OutlineStyles.h"
#include "util/Cp437.h"
#include "util/Numbers.h"

namespace {

const std::string& FileOf(const TFontCollection& collection, const TCollectedFont& f) {
  return collection.Files[static_cast<size_t>(f.File)];
}

}  // namespace

bool WriteContactSheet(const TCliCommand& command, const TCliArgs& args,
                       const TFontCollection& collection, std::vector<const TCollectedFont*> fonts,
                       const std::string& path, const std::string& text) {
  int width = 80, color = 15, outlineStyle = 0;
  const struct {
    std::string_view Name;
    int Low, High;
    int& Target;
  } numbers[] = {{"--width", 0, 65535, width},
                 {"--color", 0, 15, color},
                 {"--outline-style", 0, kOutlineStyleCount - 1, outlineStyle}};
  for (const auto& n : numbers) {
    const std::string* value = args.Value(n.Name);
    if (value && !command.ReadNumber(n.Name, *value, n.Low, n.High, n.Target)) return false;
  }
  TPaletteName palette = TPaletteName::Classic;
  if (const std::string* name = args.Value("--palette")) {
    const std::optional<TPaletteName> parsed = ParsePaletteName(*name);
    if (!parsed) {
      command.Fail("--palette takes classic or vga, not '" + *name + "'");
      return false;
    }
    palette = *parsed;
  }
  if (fonts.empty()) {
    command.Fail("no font to draw");
    return false;
  }
  TBannerStyle style;
  style.Width = width;
  style.Draw = {static_cast<uint8_t>(color), static_cast<uint8_t>(outlineStyle)};
  const TFontSheet sheet(collection, std::move(fonts), Utf8ToCp437(text, '\0'), style);
  std::vector<std::string_view> inputs;
  for (const std::string& file : collection.Files) inputs.push_back(file);
  // Every font file is an input: none may be overwritten by the picture.
  for (const std::string_view input : inputs) {
    if (SameFile(path, input)) {
      command.Fail("will not write " + path + ": it is the input " + std::string(input));
      return false;
    }
  }
  return WriteCellsPng(command, path, sheet, PaletteFor(palette), {});
}

std::string DuplicatesText(const TFontCollection& collection,
                           const std::vector<const TCollectedFont*>& fonts) {
  const std::vector<std::vector<size_t>> groups = DuplicateFonts(collection, fonts);
  size_t fileWidth = 0, numberWidth = 0;
  for (const auto& group : groups) {
    for (const size_t i : group) {
      fileWidth = std::max(fileWidth, FileOf(collection, *fonts[i]).size());
      numberWidth = std::max(numberWidth, NumToStr(fonts[i]->Number).size());
    }
  }
  std::string out;
  for (const auto& group : groups) {
    if (!out.empty()) out += '\n';
    for (const size_t i : group) {
      const TCollectedFont& f = *fonts[i];
      const std::string& file = FileOf(collection, f);
      const std::string number = NumToStr(f.Number);
      out += file + std::string(fileWidth - file.size() + 2 + numberWidth - number.size(), ' ') +
             number + "  " + Cp437ToUtf8(f.Font.Name) + "\n";
    }
  }
  return out;
}

std::string DuplicatesJson(const TFontCollection& collection,
                           const std::vector<const TCollectedFont*>& fonts) {
  const std::vector<std::vector<size_t>> groups = DuplicateFonts(collection, fonts);
  std::string out = "[";
  for (size_t g = 0; g < groups.size(); ++g) {
    const TCollectedFont& first = *fonts[groups[g].front()];
    out += g ? ",\n  " : "\n  ";
    out += "{\"type\": " + JsonString(FontTypeLabel(first.Font.FontType)) +
           ", \"spacing\": " + NumToStr(first.Font.Header.Spacing) +
           ", \"glyphs\": " + NumToStr(GlyphCountOf(first.Font.Header)) + ", \"fonts\": [";
    for (size_t k = 0; k < groups[g].size(); ++k) {
      const TCollectedFont& f = *fonts[groups[g][k]];
      out += std::string(k ? ", " : "") + "{\"file\": " + JsonString(FileOf(collection, f)) +
             ", \"number\": " + NumToStr(f.Number) + ", \"name\": " + JsonCp437String(f.Font.Name) +
             "}";
    }
    out += "]}";
  }
  return out + (groups.empty() ? "]\n" : "\n]\n");
}
