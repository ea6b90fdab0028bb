#include "app/Config.h"

#include <ini.h>

#include <strings.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <sstream>
#include <string_view>
#include <vector>

#include "tdf/OutlineStyles.h"
#include "util/Files.h"
#include "util/Numbers.h"
#include "util/Text.h"

namespace {
// A configuration file is a few lines; more than this is not one.
constexpr int64_t kMaxIniSize = 1 << 20;

std::string Trim(std::string_view s) {
  const size_t first = s.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return std::string(s.substr(first, s.find_last_not_of(" \t\r") - first + 1));
}

// The file's text; empty when there is none or it is no regular file (the
// parser's own reading would wait on a FIFO or device forever at start-up).
std::string ReadIniText(const std::string& iniPath) {
  TFileHandle file;
  if (!file.Open(iniPath, faRead)) return {};
  std::vector<uint8_t> bytes(static_cast<size_t>(std::clamp<int64_t>(file.Size(), 0, kMaxIniSize)));
  size_t count = 0;
  if (!file.Read(bytes, count)) return {};
  return std::string(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(count));
}

// The values of section "fonts", keys in lower case; a later line wins.
std::map<std::string, std::string> ReadFontsSection(const std::string& iniPath) {
  std::map<std::string, std::string> values;
  const std::string text = ReadIniText(iniPath);
  const auto take = [](void* user, const char* section, const char* name, const char* value) {
    auto& fonts = *static_cast<std::map<std::string, std::string>*>(user);
    if (strcasecmp(section, "fonts") == 0) fonts[LoStr(name)] = value;
    return 1;  // keep going: a malformed line elsewhere must not hide the key
  };
  ini_parse_string(text.c_str(), take, &values);
  return values;
}

}  // namespace

TFontsSettings ReadFontsSettings(const std::string& iniPath, const std::string& fallbackPath) {
  auto values = ReadFontsSection(iniPath);
  TFontsSettings settings;
  settings.Path = values["path"].empty() ? fallbackPath : values["path"];
  const int32_t style = StrToNum(values["outlinestyle"]);
  settings.OutlineStyle = style >= 0 && style < kOutlineStyleCount ? style : 0;
  return settings;
}

std::string ReadFontPathSetting(const std::string& iniPath, const std::string& fallback) {
  return ReadFontsSettings(iniPath, fallback).Path;
}

int ReadOutlineStyleSetting(const std::string& iniPath) {
  return ReadFontsSettings(iniPath, "").OutlineStyle;
}

bool WriteOutlineStyleSetting(const std::string& iniPath, int style) {
  const std::string line = "OutlineStyle=" + NumToStr(style);
  std::string out;
  bool inFonts = false, written = false;
  std::istringstream in(ReadIniText(iniPath));
  for (std::string l; std::getline(in, l);) {
    const std::string trimmed = Trim(l);
    const bool header = !trimmed.empty() && trimmed.front() == '[';
    if (header && inFonts && !written) {
      out += line + "\n";
      written = true;
    }
    if (header) inFonts = strcasecmp(trimmed.c_str(), "[fonts]") == 0;
    const bool ours = inFonts && !header && strncasecmp(trimmed.c_str(), "OutlineStyle", 12) == 0 &&
                      Trim(trimmed.substr(12)).starts_with("=");
    if (ours) {
      if (!written) out += line + "\n";
      written = true;
      continue;
    }
    out += l + "\n";
  }
  if (!written) out += inFonts ? line + "\n" : "[fonts]\n" + line + "\n";
  int error = 0;
  return ReplaceFileContents(iniPath, {reinterpret_cast<const uint8_t*>(out.data()), out.size()}, error);
}
