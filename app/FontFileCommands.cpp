#include "app/FontFileCommands.h"

#include <utility>

#include "app/Config.h"
#include "app/DialogFolders.h"
#include "app/ShellState.h"
#include "console/KeyCodes.h"
#include "screens/FontBrowser.h"
#include "screens/MainScreen.h"
#include "tdf/FontFile.h"
#include "util/Files.h"
#include "util/Paths.h"
#include "widgets/FileDialog.h"
#include "widgets/MenuList.h"
#include "widgets/Prompts.h"

namespace {

constexpr char kLoadTitle[] = " Load Font ";

std::string AskForFontFile(TShell& shell) {
  const std::string chosen =
      OpenFileDialog(shell.Con, kLoadTitle, DialogFolder(shell, TFolderKind::Fonts), kFontReadMask);
  if (!chosen.empty()) RememberDialogFolder(shell, TFolderKind::Fonts, chosen);
  return chosen;
}

}  // namespace

bool LoadShellFontFile(TShell& shell, const std::string& path) {
  const std::string name = JustName(path);
  TFontFile loaded;
  if (!LoadFontFile(path, loaded)) {
    if (loaded.OpenFailed) WriteFontOpenError(shell.Con);
    MessageBox(shell.Con, 0, "Error", "Cannot open " + name + ": " + FileErrorText(loaded.Error));
    return false;
  }
  if (loaded.Count() == 0) {
    MessageBox(shell.Con, 0, "Error", name + " holds no TheDraw font.");
    return false;
  }
  shell.Font = std::move(loaded);
  shell.Font.Path = path;
  RememberDialogFolder(shell, TFolderKind::Fonts, path);
  return true;
}

bool ReloadShellFont(TShell& shell, int n, int refusal) {
  if (refusal == kFontFileChanged ? ReloadSameFont(shell.Font) : ReloadFontFile(shell.Font, n))
    return true;
  if (shell.Font.OpenFailed) WriteFontOpenError(shell.Con);
  return false;
}

bool ChooseFontFile(TShell& shell, const std::string& path) {
  std::string candidate = FileThere(path) ? path : AskForFontFile(shell);
  while (!candidate.empty()) {
    if (LoadShellFontFile(shell, candidate)) return true;
    candidate = AskForFontFile(shell);
  }
  return false;
}

void LoadAnotherFontFile(TShell& shell, int& n) {
  const std::string path = AskForFontFile(shell);
  if (path.empty()) return;
  // The file shown before stays when the new one cannot be shown.
  if (LoadShellFontFile(shell, path)) n = shell.Font.Selected;
}

namespace {

void BrowseFontsIn(TShell& shell, const std::string& root, int& n) {
  std::string file;
  int number = 0;
  // The previews are the browser's own: the shell's font changes only by Enter.
  if (ChooseFontInFolder(shell.Con, {root, shell.Sample(), shell.FontLook()}, shell.Font.Path, n,
                         file, number) &&
      LoadShellFontFile(shell, file)) {
    n = number;
    SelectFont(shell.Font, n);
  }
}

}  // namespace

void BrowseFonts(TShell& shell, int& n) {
  BrowseFontsIn(shell, BrowseFolder(shell), n);
}

void ChooseFontFolder(TShell& shell, int& n) {
  const std::string folder =
      FolderDialog(shell.Con, " Font Folder ", shell.FontPath, kFontReadMask);
  if (folder.empty()) return;
  shell.FontPath = folder;
  shell.LastFolders.Fonts = folder;
  if (!shell.ConfigFile.empty()) WriteIniSetting(shell.ConfigFile, "fonts", "path", folder);
  // What the folder holds, at once; B lists it too while a font from it is shown.
  BrowseFontsIn(shell, folder, n);
}

bool DeleteFontFile(TShell& shell, int& n) {
  // Two keys must not remove a user's file: the question names it and starts on NO.
  const std::string path = shell.Font.Path;
  if (!AskAboutName(shell.Con, "Delete", "Delete ", JustName(path), "?")) return true;
  if (!EraseFile(path)) {
    // Saying "deleted" here would be a lie; the file stays loaded.
    MessageBox(shell.Con, 0, "Error", "Could not delete " + JustName(path) + ".");
    return true;
  }
  MessageBox(shell.Con, 0, "Info", "File deleted. Load another one.");
  if (!ChooseFontFile(shell, "")) return false;
  n = shell.Font.Selected;
  return true;
}

uint8_t ChooseFontType(TShell& shell) {
  TMenuList list(shell.Con);
  SetDialogLook(list.Box);
  list.Box.Title = " Font Type ";
  list.BarColor = 0x70;
  list.ItemColor = 7;
  list.ScrollBar = false;
  for (const char* type : {"Outline", "Block", "Color"}) list.Add(type, 0);
  list.Execute(30, 11, 49, 15);
  list.Box.Close();
  return list.LastKey == kKeyEscape ? 0 : static_cast<uint8_t>(list.Picked);
}
