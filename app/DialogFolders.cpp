#include "app/DialogFolders.h"

#include <filesystem>
#include <system_error>

#include "app/Config.h"
#include "app/ShellState.h"
#include "util/Paths.h"

namespace {

std::string& Remembered(TFolderKind kind) {
  switch (kind) {
    case TFolderKind::Fonts:
      return LastFolders.Fonts;
    case TFolderKind::Art:
      return LastFolders.Art;
    case TFolderKind::Screens:
      break;
  }
  return LastFolders.Screens;
}

// The absolute folder of a file, "/" at its end: a name given on the command
// line is relative to the working directory.
std::string FolderOf(const std::string& path) {
  std::error_code error;
  const std::filesystem::path full = std::filesystem::absolute(path, error).lexically_normal();
  return error ? JustPath(path) : AddSlash(full.parent_path().string());
}

bool IsFolder(const std::string& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::is_directory(path, error);
}

}  // namespace

std::string DialogFolder(TFolderKind kind) {
  // A folder removed since (or one brixel.ini names from another machine)
  // would open an empty dialog.
  if (IsFolder(Remembered(kind))) return Remembered(kind);
  if (kind == TFolderKind::Fonts) return FontPath;
  const std::string shown = ShellFont.Path.empty() ? "" : FolderOf(ShellFont.Path);
  return IsFolder(shown) ? shown : StartDir;
}

void RememberDialogFolder(TFolderKind kind, const std::string& path) {
  const std::string folder = FolderOf(path);
  if (folder.empty() || folder == Remembered(kind)) return;
  Remembered(kind) = folder;
  if (kind == TFolderKind::Art && !ConfigFile.empty())
    WriteIniSetting(ConfigFile, "ansi", "path", folder);
}

std::string BrowseFolder() {
  namespace fs = std::filesystem;
  if (ShellFont.Path.empty()) return FontPath;
  std::error_code error;
  const fs::path file = fs::weakly_canonical(ShellFont.Path, error);
  if (error) return FontPath;
  const fs::path root = fs::weakly_canonical(FontPath.empty() ? "." : FontPath, error);
  const fs::path inside = file.lexically_relative(root);
  if (!error && !inside.empty() && *inside.begin() != "..") return FontPath;
  return file.parent_path().string();
}
