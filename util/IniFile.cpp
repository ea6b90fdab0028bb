#include "util/IniFile.h"

#include <ini.h>

#include <cstdint>
#include <vector>

#include "util/Files.h"
#include "util/Text.h"

namespace {
// A configuration file is a few lines; more than this is not one.
constexpr size_t kMaxIniSize = 1 << 20;
}  // namespace

std::string ReadIniText(const std::string& iniPath) {
  std::vector<uint8_t> bytes;
  int error = 0;
  if (!ReadWholeFile(iniPath, bytes, error, kMaxIniSize)) return {};
  return std::string(bytes.begin(), bytes.end());
}

std::map<std::string, std::string> ReadIniValues(const std::string& iniPath) {
  std::map<std::string, std::string> values;
  const std::string text = ReadIniText(iniPath);
  const auto take = [](void* user, const char* section, const char* name, const char* value) {
    auto& all = *static_cast<std::map<std::string, std::string>*>(user);
    all[LoStr(section) + "." + LoStr(name)] = value;
    return 1;  // keep going: a malformed line elsewhere must not hide the key
  };
  ini_parse_string(text.c_str(), take, &values);
  return values;
}
