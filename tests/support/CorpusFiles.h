#pragma once

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <vector>

// The files of one folder of the shared corpus ("tdf", "ans"), sorted by
// name; none when the corpus is not there, so a test can skip.
inline std::vector<std::filesystem::path> CorpusFiles(std::string_view folder) {
  namespace fs = std::filesystem;
  std::vector<fs::path> files;
  std::error_code ec;
  for (fs::directory_iterator it(fs::path(BRIXEL_CORPUS_DIR) / folder, ec), end; !ec && it != end;
       it.increment(ec))
    if (it->is_regular_file(ec)) files.push_back(it->path());
  std::sort(files.begin(), files.end());
  return files;
}
