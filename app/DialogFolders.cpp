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

}  // namespace

std::string DialogFolder(TFolderKind kind) {
  const std::string& folder = Remembered(kind);
  std::error_code error;
  // A folder removed since (or one brixel.ini names from another machine)
  // would open an empty dialog.
  if (!folder.empty() && std::filesystem::is_directory(folder, error)) return folder;
  return kind == TFolderKind::Fonts ? FontPath : StartDir;
}

void RememberDialogFolder(TFolderKind kind, const std::string& path) {
  const std::string folder = JustPath(path);
  if (folder.empty() || folder == Remembered(kind)) return;
  Remembered(kind) = folder;
  if (kind == TFolderKind::Art && !ConfigFile.empty())
    WriteIniSetting(ConfigFile, "ansi", "path", folder);
}
