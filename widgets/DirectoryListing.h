#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The entries of one directory as the file dialogs list them: every
// subdirectory but "." (so ".." leads up), and every other entry whose name
// matches a wildcard mask ("*" any run, "?" one character, letters in either
// case: DOS-era files are named "LOGO.ANS"). A mask of several wildcards
// split by ";" ("*.ans;*.xb") lists the names any of them matches.
struct TDirectoryListing {
  // Sorted byte-wise; at most kMaxListed each (the first ones read).
  std::vector<std::string> Directories;
  std::vector<std::string> Files;
  // How many there are, also past kMaxListed.
  int32_t DirectoryCount = 0;
  int32_t FileCount = 0;
};

// As many entries of one kind as a list can hold.
constexpr int32_t kMaxListed = 10000;

// Reads dir (an absolute path) into listing; false, with an empty listing,
// when the directory cannot be read.
bool ReadDirectoryListing(const std::string& dir, std::string_view mask,
                          TDirectoryListing& listing);
