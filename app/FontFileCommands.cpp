#include "app/FontFileCommands.h"

#include "app/DialogFolders.h"
#include "app/ShellState.h"
#include "console/ConsoleLayer.h"
#include "console/KeyCodes.h"
#include "tdf/FontFile.h"
#include "util/Files.h"
#include "util/Paths.h"
#include "widgets/FileDialog.h"
#include "widgets/MenuList.h"
#include "widgets/Prompts.h"

namespace {

constexpr char kLoadTitle[] = " Load Font ";

std::string AskForFontFile() {
  DialogResult = OpenFileDialog(kLoadTitle, DialogFolder(TFolderKind::Fonts), kFontMask);
  if (!DialogResult.empty()) RememberDialogFolder(TFolderKind::Fonts, DialogResult);
  return DialogResult;
}

}  // namespace

bool LoadShellFontFile(const std::string& path) {
  const std::string name = JustName(path);
  if (!LoadFontFile(path)) {
    MessageBox(0, "Error", "Cannot open " + name + ": " + FileErrorText(FontFileError));
    return false;
  }
  if (FontCount == 0) {
    MessageBox(0, "Error", name + " holds no TheDraw font.");
    return false;
  }
  LastFontFile = path;
  return true;
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
  if (!LoadShellFontFile(path)) LoadFontFile(LastFontFile);
  n = CurrentFont;
  SelectFont(n);
}

bool DeleteFontFile(int& n) {
  // Two keys must not remove a user's file: the question names it and starts on NO.
  if (!AskAboutName("Delete", "Delete ", JustName(FontFileName), "?")) return true;
  if (!EraseFile(FontFileName)) {
    // Saying "deleted" here would be a lie; the file stays loaded.
    MessageBox(0, "Error", "Could not delete " + JustName(FontFileName) + ".");
    return true;
  }
  MessageBox(0, "Info", "File deleted. Load another one.");
  if (!ChooseFontFile("")) return false;
  n = CurrentFont;
  SelectFont(n);
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
