#include "widgets/DirectoryListing.h"

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <memory>

#include "widgets/QuickSort.h"

namespace {

struct TDirCloser {
  void operator()(DIR* d) const { ::closedir(d); }
};

// Sorts what the collection holds and hands the names over in that order.
std::vector<std::string> SortedNames(TQuickSort& sorted) {
  sorted.Sort(1, sorted.Count, qAscending);
  std::vector<std::string> names;
  names.reserve(sorted.Count);
  for (uint16_t i = 1; i <= sorted.Count; ++i) names.push_back(std::move(sorted.Items[i]->Str));
  return names;
}

}  // namespace

bool ReadDirectoryListing(const std::string& dir, std::string_view mask,
                          TDirectoryListing& listing) {
  listing = {};
  const std::unique_ptr<DIR, TDirCloser> handle(::opendir(dir.c_str()));
  if (!handle) return false;
  const std::string pattern(mask);
  TQuickSort directories, files;
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
      if (listing.DirectoryCount <= kMaxListed) directories.Add(name, 0);
    } else if (::fnmatch(pattern.c_str(), entry->d_name, FNM_CASEFOLD) == 0) {
      ++listing.FileCount;
      if (listing.FileCount <= kMaxListed) files.Add(name, 0);
    }
  }
  listing.Directories = SortedNames(directories);
  listing.Files = SortedNames(files);
  return true;
}
