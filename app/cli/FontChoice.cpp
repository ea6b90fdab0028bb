#include "app/cli/FontChoice.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

#include "tdf/BannerLayout.h"
#include "tdf/FigletFont.h"
#include "tdf/FontCollection.h"
#include "tdf/FontFile.h"
#include "util/Cp437.h"
#include "util/Files.h"
#include "util/IniFile.h"
#include "util/Numbers.h"
#include "util/Paths.h"

namespace {

bool IsWholeNumber(std::string_view s) {
  return !s.empty() && s.size() <= 9 &&
         std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsRegularFile(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

std::string Listed(const TFontCollection& collection, const TCollectedFont& f) {
  return collection.Files[static_cast<size_t>(f.File)] + ":" + NumToStr(f.Number) + "  " +
         Cp437ToUtf8(f.Font.Name) + "  " + FontTypeLabel(f.Font.FontType);
}

std::string JoinedFolders(const std::vector<std::string>& folders) {
  std::string out;
  for (const std::string& folder : folders) out += (out.empty() ? "" : ", ") + folder;
  return out;
}

// The fonts under the folders; false (reported) when there is no folder.
bool CollectFonts(const TCliCommand& command, const std::vector<std::string>& folders,
                  TFontCollection& collection) {
  if (folders.empty()) {
    command.Fail(
        "no font folder to look in: give --font-dir DIR or set path in section [fonts] "
        "of " +
        ProgramDir() + "brixel.ini");
    return false;
  }
  collection = ReadFontCollection(folders);
  if (!collection.NamedPathsRead) {
    for (const std::string& note : collection.Notes) command.Fail(note);
  }
  return true;
}

bool LoadCollected(const TCliCommand& command, const TFontCollection& collection,
                   const TCollectedFont& chosen, TFontFile& font) {
  return LoadDrawableFont(command, collection.Files[static_cast<size_t>(chosen.File)],
                          chosen.Number, font);
}

}  // namespace

std::vector<std::string> FontFolders(const TCliArgs& args) {
  std::vector<std::string> folders;
  const std::string configured = ReadIniValues(ProgramDir() + "brixel.ini")["fonts.path"];
  if (!configured.empty()) folders.push_back(configured);
  for (std::string& dir : args.Values("--font-dir")) folders.push_back(std::move(dir));
  return folders;
}

bool SplitFontChoice(const std::string& text, std::string& path, int& number) {
  const size_t colon = text.rfind(':');
  if (colon == std::string::npos || IsRegularFile(text)) return false;
  const std::string_view digits = std::string_view(text).substr(colon + 1);
  if (!IsWholeNumber(digits) || !IsRegularFile(text.substr(0, colon))) return false;
  path = text.substr(0, colon);
  number = static_cast<int>(StrToNum(digits));
  return true;
}

bool NamesFontFile(const std::string& text) {
  std::string path = text;
  int number = 0;
  if (!IsRegularFile(path) && !SplitFontChoice(text, path, number)) return false;
  if (HasFontFileSuffix(path)) return true;
  TFileHandle file;
  std::vector<uint8_t> head(kSignatureSize);
  size_t count = 0;
  if (!file.Open(path, faRead) || !file.Read(head, count)) return false;
  head.resize(count);
  return HasFontSignature(head) || LooksLikeFigletFile(head);
}

bool LoadDrawableFont(const TCliCommand& command, const std::string& path, int number,
                      TFontFile& font) {
  if (!command.LoadFont(path, font)) return false;
  if (font.Count() == 0) return command.FailNoFonts(path);
  if (number == 0) number = font.Count();
  if (number > font.Count()) {
    command.Fail("font " + NumToStr(number) + " does not exist; the file has " +
                 NumToStr(font.Count()));
    return false;
  }
  if (!SelectFont(font, number)) {
    command.Fail(font.OpenFailed ? path + ": " + FileErrorText(font.Error)
                                 : "font " + NumToStr(number) + " has no valid header");
    return false;
  }
  // Nothing to print would look like an empty text; say why instead.
  if (FontTypeName(font).empty()) {
    command.Fail("font " + NumToStr(number) + " cannot be drawn: it is of unknown type " +
                 NumToStr(font.Header.FontType));
    return false;
  }
  return true;
}

bool LoadFontNamed(const TCliCommand& command, const std::vector<std::string>& folders,
                   const std::string& name, TFontFile& font) {
  TFontCollection collection;
  if (!CollectFonts(command, folders, collection)) return false;
  const std::vector<const TCollectedFont*> found = FontsNamed(collection, Utf8ToCp437(name));
  if (found.empty()) {
    command.Fail("no font is named '" + name + "' under " + JoinedFolders(folders));
    return false;
  }
  if (found.size() > 1) {
    std::string list;
    for (const TCollectedFont* f : found) list += "\n  " + Listed(collection, *f);
    command.Fail(NumToStr(static_cast<int32_t>(found.size())) + " fonts are named '" + name +
                 "'; choose one as --font PATH:N:" + list);
    return false;
  }
  return LoadCollected(command, collection, *found.front(), font);
}

bool LoadRandomFont(const TCliCommand& command, const std::vector<std::string>& folders,
                    std::string_view text, bool caseFallback, std::optional<uint32_t> seed,
                    TFontFile& font) {
  TFontCollection collection;
  if (!CollectFonts(command, folders, collection)) return false;
  std::vector<const TCollectedFont*> able;
  for (const TCollectedFont& f : collection.Fonts) {
    const TFontHeader& header = f.Font.Header;
    if (MarkerValid(header) && !FontTypeNameOf(header.FontType).empty() &&
        CanDrawEveryChar(header, text, caseFallback))
      able.push_back(&f);
  }
  if (able.empty()) {
    command.Fail("no font under " + JoinedFolders(folders) + " can draw every character of '" +
                 Cp437ToUtf8(text) + "'");
    return false;
  }
  // mt19937's numbers are fixed by the standard for a seed; a distribution's are not.
  std::mt19937 random(seed ? *seed : std::random_device{}());
  const TCollectedFont& chosen = *able[random() % able.size()];
  std::fprintf(stderr, "brixel-cli %.*s: drawn with %s\n", static_cast<int>(command.Name.size()),
               command.Name.data(), Listed(collection, chosen).c_str());
  return LoadCollected(command, collection, chosen, font);
}
