#include "console/sdl/DataFiles.h"

#include <filesystem>
#include <initializer_list>
#include <system_error>

#include "util/Paths.h"

#ifndef BRIXEL_DATA_DIR
#define BRIXEL_DATA_DIR "/usr/local/share/brixel"
#endif

std::string FindDataFileIn(std::string_view name, std::initializer_list<std::string_view> dirs) {
  for (std::string_view dir : dirs) {
    std::string path(dir);
    path += name;
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec)) return path;
  }
  return std::string(name);
}

std::string FindDataFile(std::string_view name) {
  const std::string programDir = ProgramDir();
  const std::string dataDir = AddSlash(BRIXEL_DATA_DIR);
  return FindDataFileIn(name, {"", programDir, dataDir});
}
