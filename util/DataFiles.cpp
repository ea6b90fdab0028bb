#include "util/DataFiles.h"

#include <filesystem>
#include <initializer_list>
#include <system_error>

#include "util/Paths.h"

// The data directory as seen from the program's directory, set by CMake from
// the install directories (bin/ and share/brixel/ give "../share/brixel/").
#ifndef BRIXEL_DATA_FROM_PROGRAM
#define BRIXEL_DATA_FROM_PROGRAM "../share/brixel/"
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
  // Not through AddSlash, which clips to the 255 bytes of a text.
  const std::string installed = programDir + BRIXEL_DATA_FROM_PROGRAM;
  return FindDataFileIn(name, {"", programDir, installed});
}
