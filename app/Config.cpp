#include "app/Config.h"

#include <strings.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <sstream>
#include <string_view>
#include <vector>

#include "tdf/OutlineStyles.h"
#include "util/Files.h"
#include "util/IniFile.h"
#include "util/Numbers.h"
#include "util/Text.h"

namespace {

std::string Trim(std::string_view s) {
  const size_t first = s.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return std::string(s.substr(first, s.find_last_not_of(" \t\r") - first + 1));
}

}  // namespace

TFontsSettings ReadFontsSettings(const std::string& iniPath, const std::string& fallbackPath) {
  auto values = ReadIniValues(iniPath);
  TFontsSettings settings;
  settings.Path = values["fonts.path"].empty() ? fallbackPath : values["fonts.path"];
  const int32_t style = StrToNum(values["fonts.outlinestyle"]);
  settings.OutlineStyle = style >= 0 && style < kOutlineStyleCount ? style : 0;
  settings.ArtPath = values["ansi.path"];
  settings.Palette = ParsePaletteName(values["screen.palette"]).value_or(TPaletteName::Classic);
  return settings;
}

bool WriteIniSetting(const std::string& iniPath, std::string_view section, std::string_view key,
                     std::string_view value) {
  // A line break in the value would make lines of its own.
  if (value.find_first_of("\r\n") != std::string_view::npos) return false;
  const std::string header = "[" + std::string(section) + "]";
  const std::string line = std::string(key) + "=" + std::string(value);
  std::string out;
  bool inSection = false, written = false;
  std::istringstream in(ReadIniText(iniPath));
  for (std::string l; std::getline(in, l);) {
    const std::string trimmed = Trim(l);
    const bool isHeader = !trimmed.empty() && trimmed.front() == '[';
    if (isHeader && inSection && !written) {
      out += line + "\n";
      written = true;
    }
    if (isHeader) inSection = strcasecmp(trimmed.c_str(), header.c_str()) == 0;
    const bool ours = inSection && !isHeader &&
                      strncasecmp(trimmed.c_str(), line.c_str(), key.size()) == 0 &&
                      Trim(std::string_view(trimmed).substr(key.size())).starts_with("=");
    if (ours) {
      if (!written) out += line + "\n";
      written = true;
      continue;
    }
    out += l + "\n";
  }
  if (!written) out += inSection ? line + "\n" : header + "\n" + line + "\n";
  int error = 0;
  return ReplaceFileContents(iniPath, {reinterpret_cast<const uint8_t*>(out.data()), out.size()},
                             error);
}

bool WriteOutlineStyleSetting(const std::string& iniPath, int style) {
  return WriteIniSetting(iniPath, "fonts", "OutlineStyle", NumToStr(style));
}
