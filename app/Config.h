#pragma once

#include <string>
#include <string_view>

#include "console/Palette.h"

// The settings the shell starts with, from one read of the file.
struct TFontsSettings {
  std::string Path;      // the directory the font dialogs open in
  int OutlineStyle = 0;  // 0..18
  std::string ArtPath;   // key "path" of section "ansi": where A opens; "" for none
  // Key "Palette" of section "screen": the window's colours, "classic" or
  // "vga" in any case; classic for a missing key or another word.
  TPaletteName Palette = TPaletteName::Classic;
};
// Path is key "path" of section "fonts", or fallbackPath for a missing file,
// section or key or an empty value; OutlineStyle is key "OutlineStyle" of
// section "fonts" when it is 0..18, else 0.
TFontsSettings ReadFontsSettings(const std::string& iniPath, const std::string& fallbackPath);

// Keeps key=value in the file: the key's line in section is replaced, or the
// line is added to the section (or a new section at the end); every other
// line stays as it was, and a missing file is created. False when the file
// cannot be written (an installed program's directory) or the value holds a
// line break.
bool WriteIniSetting(const std::string& iniPath, std::string_view section, std::string_view key,
                     std::string_view value);
// The outline style as "OutlineStyle" of section "fonts".
bool WriteOutlineStyleSetting(const std::string& iniPath, int style);
