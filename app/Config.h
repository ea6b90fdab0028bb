#pragma once

#include <string>

// The directory the font dialogs open in: key "path" of section "fonts" of
// the INI file at iniPath. A missing file, section or key, or an empty value,
// gives fallback. The file is only read.
std::string ReadFontPathSetting(const std::string& iniPath, const std::string& fallback);
