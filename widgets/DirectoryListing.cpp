#include "widgets/DirectoryListing.h"

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>

namespace {

struct TDirCloser {
  void operator()(DIR* d) const { ::closedir(d); }
};

}  // namespace

bool ReadDirectoryListing(const std::string& dir, std::string_view mask,
                          TDirectoryListing& listing) {
  listing = {};
  const std::unique_ptr<DIR, TDirCloser> handle(::opendir(dir.c_str()));
  if (!handle) return false;
  std::vector<std::string> patterns;
  for (size_t from = 0; from <= mask.size();) {
    const size_t end = std::min(mask.find(';', from), mask.size());
    if (end > from) patterns.emplace_back(mask.substr(from, end - from));
    from = end + 1;
  }
  const auto matches = [&patterns](const char* name) {
    return std::any_of(patterns.begin(), patterns.end(), [name](const std::string& p) {
      return ::fnmatch(p.c_str(), name, FNM_CASEFOLD) == 0;
    });
  };
  std::vector<std::string>& directories = listing.Directories;
  std::vector<std::string>& files = listing.Files;
  while (const dirent* entry = ::readdir(handle.get())) {
    const std::string_view name = entry->d_name;
    if (name == ".") continue;
    // Links are followed: a link to a directory is entered like one. A
    // dangling link is no directory, so it counts as a file.
    struct stat st {};
    const bool isDirectory =
        ::fstatat(::dirfd(handle.get()), entry->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode);
    if (isDirectory) {
      ++listing.DirectoryCount;
      if (listing.DirectoryCount <= kMaxListed) directories.emplace_back(name);
    } else if (matches(entry->d_name)) {
      ++listing.FileCount;
      if (listing.FileCount <= kMaxListed) files.emplace_back(name);
    }
  }
  // Byte by byte (std::string compares as unsigned char): code page order, so
  // "Zed" before "abc" and ".." before both. Names in a directory are unique,
  // so the order is the same whatever the sort.
  std::sort(directories.begin(), directories.end());
  std::sort(files.begin(), files.end());
  return true;
}
