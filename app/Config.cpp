#include "app/Config.h"

#include <ini.h>

#include <strings.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "util/Files.h"

namespace {
// A configuration file is a few lines; more than this is not one.
constexpr int64_t kMaxIniSize = 1 << 20;

int TakeFontPath(void* user, const char* section, const char* name, const char* value) {
  if (strcasecmp(section, "fonts") == 0 && strcasecmp(name, "path") == 0)
    *static_cast<std::string*>(user) = value;
  return 1;  // keep going: a malformed line elsewhere must not hide the key
}
}  // namespace

std::string ReadFontPathSetting(const std::string& iniPath, const std::string& fallback) {
  // Read through our own handle: it refuses a FIFO or device, which the
  // parser's own reading would wait on forever at start-up.
  TFileHandle file;
  if (!file.Open(iniPath, faRead)) return fallback;
  std::vector<uint8_t> bytes(static_cast<size_t>(std::clamp<int64_t>(file.Size(), 0, kMaxIniSize)));
  size_t count = 0;
  if (!file.Read(bytes, count)) return fallback;
  const std::string text(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(count));
  std::string path;
  ini_parse_string(text.c_str(), TakeFontPath, &path);
  return path.empty() ? fallback : path;
}
