#include "app/FontFileCommands.h"

#include <utility>

#include "app/Config.h"
#include "app/DialogFolders.h"
#include "app/ShellState.h"
#include "console/ConsoleLayer.h"
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

std::string AskForFontFile() {
  DialogResult = OpenFileDialog(kLoadTitle, DialogFolder(TFolderKind::Fonts), kFontReadMask);
  if (!DialogResult.empty()) RememberDialogFolder(TFolderKind::Fonts, DialogResult);
  return DialogResult;
}

}  // namespace

bool LoadShellFontFile(const std::string& path) {
  const std::string name = JustName(path);
  TFontFile loaded;
  if (!LoadFontFile(path, loaded)) {
    if (loaded.OpenFailed) WriteFontOpenError();
    MessageBox(0, "Error", "Cannot open " + name + ": " + FileErrorText(loaded.Error));
    return false;
  }
  if (loaded.Count() == 0) {
    MessageBox(0, "Error", name + " holds no TheDraw font.");
    return false;
  }
  ShellFont = std::move(loaded);
  LastFontFile = path;
  RememberDialogFolder(TFolderKind::Fonts, path);
  return true;
}

bool ReloadShellFont(int n, int refusal) {
  if (refusal == kFontFileChanged ? ReloadSameFont(ShellFont) : ReloadFontFile(ShellFont, n))
    return true;
  if (ShellFont.OpenFailed) WriteFontOpenError();
  return false;
}

bool ChooseFontFile(const std::string& path) {
  std::string candidate = FileThere(path) ? path : AskForFontFile();
  while (!candidate.empty()) {
    if (LoadShellFontFile(candidate)) return true;
    candidate = AskForFontFile();
  }
  return false;
}

void LoadAnotherFontFile(int& n) {
  const std::string path = AskForFontFile();
  if (path.empty()) return;
  // The file shown before stays when the new one cannot be shown.
  if (LoadShellFontFile(path)) n = ShellFont.Selected;
}

namespace {

void BrowseFontsIn(const std::string& root, int& n) {
  std::string file;
  int number = 0;
  // The previews are the browser's own: the shell's font changes only by Enter.
  if (ChooseFontInFolder({root, ShellSample(), ShellFontLook()}, ShellFont.Path, n, file, number) &&
      LoadShellFontFile(file)) {
    n = number;
    SelectFont(ShellFont, n);
  }
}

}  // namespace

void BrowseFonts(int& n) {
  BrowseFontsIn(BrowseFolder(), n);
}

void ChooseFontFolder(int& n) {
  const std::string folder = FolderDialog(" Font Folder ", FontPath, kFontReadMask);
  if (folder.empty()) return;
  FontPath = folder;
  LastFolders.Fonts = folder;
  if (!ConfigFile.empty()) WriteIniSetting(ConfigFile, "fonts", "path", folder);
  // What the folder holds, at once; B lists it too while a font from it is shown.
  BrowseFontsIn(folder, n);
}

bool DeleteFontFile(int& n) {
  // Two keys must not remove a user's file: the question names it and starts on NO.
  const std::string path = ShellFont.Path;
  if (!AskAboutName("Delete", "Delete ", JustName(path), "?")) return true;
  if (!EraseFile(path)) {
    // Saying "deleted" here would be a lie; the file stays loaded.
    MessageBox(0, "Error", "Could not delete " + JustName(path) + ".");
    return true;
  }
  MessageBox(0, "Info", "File deleted. Load another one.");
  if (!ChooseFontFile("")) return false;
  n = ShellFont.Selected;
  return true;
}

uint8_t ChooseFontType() {
  TMenuList list;
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
