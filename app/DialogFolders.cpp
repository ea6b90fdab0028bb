#include "app/DialogFolders.h"

#include <filesystem>
#include <system_error>

#include "app/Config.h"
#include "app/ShellState.h"
#include "util/Paths.h"

namespace {

std::string& Remembered(TShell& shell, TFolderKind kind) {
  switch (kind) {
    case TFolderKind::Fonts:
      return shell.LastFolders.Fonts;
    case TFolderKind::Art:
      return shell.LastFolders.Art;
    case TFolderKind::Screens:
      break;
  }
  return shell.LastFolders.Screens;
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

std::string DialogFolder(TShell& shell, TFolderKind kind) {
  // A folder removed since (or one brixel.ini names from another machine)
  // would open an empty dialog.
  if (IsFolder(Remembered(shell, kind))) return Remembered(shell, kind);
  if (kind == TFolderKind::Fonts) return shell.FontPath;
  const std::string shown = shell.Font.Path.empty() ? "" : FolderOf(shell.Font.Path);
  return IsFolder(shown) ? shown : shell.StartDir;
}

void RememberDialogFolder(TShell& shell, TFolderKind kind, const std::string& path) {
  const std::string folder = FolderOf(path);
  if (folder.empty() || folder == Remembered(shell, kind)) return;
  Remembered(shell, kind) = folder;
  if (kind == TFolderKind::Art && !shell.ConfigFile.empty())
    WriteIniSetting(shell.ConfigFile, "ansi", "path", folder);
}

std::string BrowseFolder(const TShell& shell) {
  namespace fs = std::filesystem;
  if (shell.Font.Path.empty()) return shell.FontPath;
  std::error_code error;
  const fs::path file = fs::weakly_canonical(shell.Font.Path, error);
  if (error) return shell.FontPath;
  const fs::path root = fs::weakly_canonical(shell.FontPath.empty() ? "." : shell.FontPath, error);
  const fs::path inside = file.lexically_relative(root);
  if (!error && !inside.empty() && *inside.begin() != "..") return shell.FontPath;
  return file.parent_path().string();
}
