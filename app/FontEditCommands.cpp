#include "app/FontEditCommands.h"

#include <algorithm>
#include <string>

#include "app/Config.h"
#include "app/DialogFolders.h"
#include "app/FontFileCommands.h"
#include "app/RowPrompt.h"
#include "app/ShellState.h"
#include "console/ConsoleLayer.h"
#include "console/LineEditor.h"
#include "screens/GlyphCharBrowser.h"
#include "screens/GlyphEditor.h"
#include "tdf/FontFile.h"
#include "tdf/FontFileAccess.h"
#include "tdf/FontOps.h"
#include "util/Numbers.h"
#include "util/Paths.h"
#include "util/Text.h"
#include "widgets/FileDialog.h"
#include "widgets/MenuBox.h"
#include "widgets/Prompts.h"

namespace {

// After a header change the same font stays shown.
void ReloadKeepingFont(int& n, int refusal) {
  n = ShellFont.Selected;
  ReloadShellFont(n, refusal);
  n = ShellFont.Selected;
}

// A message followed by why the font file could not be written, as a sentence.
void ReportFailure(const std::string& text, int error) {
  std::string reason = FontFileErrorText(error);
  if (!reason.empty() && reason[0] >= 'a' && reason[0] <= 'z')
    reason[0] = static_cast<char>(reason[0] - 32);
  MessageBox(0, "Error", text + " " + reason + ".");
}

// Merging changes the loaded file for good: the question names both files
// and starts on NO.
bool AskToMerge(const std::string& other) {
  const std::string before = "Add the fonts of ", middle = " to ", after = "?";
  const size_t room = (kMessageWidth - before.size() - middle.size() - after.size()) / 2;
  return MessageBox(1, " Merge ",
                    before + CutName(JustName(other), room) + middle +
                        CutName(JustName(ShellFont.Path), room) + after,
                    false);
}

// A header that could not be written leaves the file as it was; say so.
void ReportHeaderFailure(int error) {
  ReportFailure("Cannot write " + JustName(ShellFont.Path) + ".", error);
}
}  // namespace

void RenameFont(int& n) {
  const std::string name = PromptOnRow25("Font Name:" + std::string(31, ' ') + "Up to 12 chars.",
                                         12, 12, 12, 1, ListedName(ShellFont.Header));
  if (name.empty()) return;
  int error = 0;
  if (!SetFontName(ShellFont, name, error)) ReportHeaderFailure(error);
  ReloadKeepingFont(n, error);
}

// Starts with the spacing selected, as the X and Y prompts start with theirs;
// an emptied or unchanged entry writes nothing.
void ChangeSpacing(int& n) {
  const std::string entry =
      PromptOnRow25("New Spacing: ", 14, 3, 3, 0, NumToStr(ShellFont.Header.Spacing));
  if (entry.empty() || (StrToNum(entry) & 0xFF) == ShellFont.Header.Spacing) return;
  int error = 0;
  if (!SetFontSpacing(ShellFont, static_cast<uint8_t>(StrToNum(entry) & 0xFF), error))
    ReportHeaderFailure(error);
  ReloadKeepingFont(n, error);
}

void ChangeFontType(int& n) {
  const uint8_t type = ChooseFontType();
  if (type == 0) return;
  int error = 0;
  if (!SetFontType(ShellFont, static_cast<uint8_t>(type - 1), error)) ReportHeaderFailure(error);
  ReloadKeepingFont(n, error);
}

void ExtractCurrentFont(int n) {
  DialogResult = SaveFileDialog(" Save Font As... ", FontNameOf(ShellFont, n) + ".tdf",
                                DialogFolder(TFolderKind::Fonts), kFontMask);
  if (DialogResult.empty()) return;
  RememberDialogFolder(TFolderKind::Fonts, DialogResult);
  int error = 0;
  if (!ExtractFont(ShellFont, DialogResult, error))
    ReportFailure("Error while extracting font!", error);
}

void MergeAnotherFile(int& n) {
  WriteXY(1, 25, IdleAttr, CharStr(' ', 79));
  DialogResult = OpenFileDialog(" Select Font ", DialogFolder(TFolderKind::Fonts), kFontReadMask);
  if (!DialogResult.empty()) RememberDialogFolder(TFolderKind::Fonts, DialogResult);
  if (DialogResult.empty() || !AskToMerge(DialogResult)) return;
  int added = 0, error = 0;
  if (MergeFontFile(ShellFont, DialogResult, added, error))
    MessageBox(0, "Status", NumToStr(added) + (added == 1 ? " font added." : " fonts added."));
  else
    ReportFailure("Error while merging fonts!", error);
  ReloadShellFont(0);
  n = ShellFont.Selected;
}

void CreateNewFontFile() {
  DialogResult = SaveFileDialog(" Font File ", "newfont.tdf",
                                AddSlash(DialogFolder(TFolderKind::Fonts)), kFontMask);
  if (DialogResult.empty()) return;
  RememberDialogFolder(TFolderKind::Fonts, DialogResult);

  TMenuBox box;
  SetDialogLook(box);
  box.Box(32, 7, 47, 9);
  WriteXY(33, 7, 11, " Font Name ");
  WriteXY(1, 25, 7, PadRight("Leave Blank to abort. Press ENTER when ready.", 79, ' '));
  std::string name;
  InputLine(name, 34, 8, 12, 12, 1, 7, 15, 0xB0, "");
  const uint8_t type = ChooseFontType();
  box.Close();

  if (type == 0 || name.empty()) return;
  int error = 0;
  if (CreateFontFile(DialogResult, name, static_cast<uint8_t>(type - 1), error))
    MessageBox(0, "Status", "Font created!");
  else
    ReportFailure("Error while creating font!", error);
}

void DeleteFontFromFile(int& n) {
  int error = kOnlyFont;
  if (ShellFont.Count() == 1) return ReportFailure("Cannot delete the font.", error);
  // One key must not lose a font: the question names it and starts on NO.
  std::string name = FontNameOf(ShellFont, n);
  name.erase(name.find_last_not_of(' ') + 1);  // many names are padded with spaces
  if (!MessageBox(1, " Delete ", "Delete the font " + name + "?", false)) return;
  const bool deleted = DeleteFont(ShellFont, n, error);
  if (!deleted) ReportFailure("Cannot delete the font.", error);
  // The font after it takes its number; after the last one the new last is shown.
  ReloadShellFont(deleted ? std::min(n, ShellFont.Count() - 1) : n, error);
  n = ShellFont.Selected;
}

void DuplicateFont(int& n) {
  const std::string name =
      PromptOnRow25("Name of the copy:" + std::string(24, ' ') + "Up to 12 chars.", 19, 12, 12, 1,
                    ListedName(ShellFont.Header));
  if (name.empty()) return;
  int error = 0;
  const bool cloned = CloneFont(ShellFont, n, name, error);
  if (!cloned) ReportFailure("Cannot duplicate the font.", error);
  ReloadShellFont(cloned ? n + 1 : n, error);
  n = ShellFont.Selected;
}

namespace {

void MoveShownFont(int& n, TFontMove direction) {
  int error = 0;
  const bool moved = MoveFont(ShellFont, n, direction, error);
  if (!moved) ReportFailure("Cannot move the font.", error);
  ReloadShellFont(moved ? (direction == TFontMove::Up ? n - 1 : n + 1) : n, error);
  n = ShellFont.Selected;
}

}  // namespace

void MoveFontUp(int& n) {
  MoveShownFont(n, TFontMove::Up);
}

void MoveFontDown(int& n) {
  MoveShownFont(n, TFontMove::Down);
}

void EditGlyphCommand() {
  if (ShellFont.Path.empty() || ShellFont.Count() == 0) {
    MessageBox(0, "Error", "No Font Selected!");
    return;
  }
  if (ShellFont.Header.FontType > ftColor) {
    MessageBox(0, "Error", "Unsupported type");
    return;
  }
  const uint8_t ch = ChooseGlyphChar();
  if (ch == 0) return;
  TFontLook look = ShellFontLook();
  EditGlyph(ShellFont, ch, look, ShellSample(), GlyphClipboard);
  // A style chosen with O in the editor stays, as one chosen on the main screen.
  if (look.Style.Outline != OutlineStyle) {
    OutlineStyle = look.Style.Outline;
    if (!ConfigFile.empty()) WriteOutlineStyleSetting(ConfigFile, OutlineStyle);
  }
}
