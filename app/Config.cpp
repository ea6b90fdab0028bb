#include "app/Config.h"

#include <ini.h>

#include <strings.h>

#include "util/Files.h"

namespace {
int TakeFontPath(void* user, const char* section, const char* name, const char* value) {
  if (strcasecmp(section, "fonts") == 0 && strcasecmp(name, "path") == 0)
    *static_cast<std::string*>(user) = value;
  return 1;  // keep going: a malformed line elsewhere must not hide the key
}
}  // namespace

std::string ReadFontPathSetting(const std::string& iniPath, const std::string& fallback) {
  if (!FileThere(iniPath)) return fallback;
  std::string path;
  ini_parse(iniPath.c_str(), TakeFontPath, &path);
  return path.empty() ? fallback : path;
}
