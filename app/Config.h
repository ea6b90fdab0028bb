#pragma once

#include <string>

// Both settings of section "fonts", from one read of the file.
struct TFontsSettings {
  std::string Path;      // the directory the font dialogs open in
  int OutlineStyle = 0;  // 0..18
};
TFontsSettings ReadFontsSettings(const std::string& iniPath, const std::string& fallbackPath);

// The directory the font dialogs open in: key "path" of section "fonts" of
// the INI file at iniPath. A missing file, section or key, or an empty value,
// gives fallback.
std::string ReadFontPathSetting(const std::string& iniPath, const std::string& fallback);

// The outline style kept as key "OutlineStyle" of section "fonts": 0..18, and
// 0 for anything else.
int ReadOutlineStyleSetting(const std::string& iniPath);
// Keeps the style in the file: the key is replaced or added to the "fonts"
// section, every other line stays as it was, and a missing file is created.
// False when the file cannot be written (an installed program's directory).
bool WriteOutlineStyleSetting(const std::string& iniPath, int style);
