#include "app/FontEditCommands.h"

#include <algorithm>
#include <string>

#include "app/Config.h"
#include "app/DialogFolders.h"
#include "app/FontFileCommands.h"
#include "app/RowPrompt.h"
#include "app/ShellState.h"
#include "screens/GlyphCharBrowser.h"
#include "screens/GlyphEditor.h"
#include "tdf/FontFile.h"
#include "tdf/FontFileAccess.h"
#include "tdf/FontOps.h"
#include "util/Numbers.h"
#include "util/Paths.h"
#include "util/Text.h"
#include "widgets/FileDialog.h"
#include "widgets/LineEditor.h"
#include "widgets/MenuBox.h"
#include "widgets/Prompts.h"

namespace {

// After a header change the same font stays shown.
void ReloadKeepingFont(TShell& shell, int& n, int refusal) {
  n = shell.Font.Selected;
  ReloadShellFont(shell, n, refusal);
  n = shell.Font.Selected;
}

// A message followed by why the font file could not be written, as a sentence.
void ReportFailure(TShell& shell, const std::string& text, int error) {
  std::string reason = FontFileErrorText(error);
  if (!reason.empty() && reason[0] >= 'a' && reason[0] <= 'z')
    reason[0] = static_cast<char>(reason[0] - 32);
  MessageBox(shell.Con, 0, "Error", text + " " + reason + ".");
}

// Merging changes the loaded file for good: the question names both files
// and starts on NO.
bool AskToMerge(TShell& shell, const std::string& other) {
  const std::string before = "Add the fonts of ", middle = " to ", after = "?";
  const size_t room = (kMessageWidth - before.size() - middle.size() - after.size()) / 2;
  return MessageBox(shell.Con, 1, " Merge ",
                    before + CutName(JustName(other), room) + middle +
                        CutName(JustName(shell.Font.Path), room) + after,
                    false);
}

// A header that could not be written leaves the file as it was; say so.
void ReportHeaderFailure(TShell& shell, int error) {
  ReportFailure(shell, "Cannot write " + JustName(shell.Font.Path) + ".", error);
}
}  // namespace

void RenameFont(TShell& shell, int& n) {
  const std::string name =
      PromptOnRow25(shell, "Font Name:" + std::string(31, ' ') + "Up to 12 chars.", 12, 12, 12, 1,
                    ListedName(shell.Font.Header));
  if (name.empty()) return;
  int error = 0;
  if (!SetFontName(shell.Font, name, error)) ReportHeaderFailure(shell, error);
  ReloadKeepingFont(shell, n, error);
}

// Starts with the spacing selected, as the X and Y prompts start with theirs;
// an emptied or unchanged entry writes nothing.
void ChangeSpacing(TShell& shell, int& n) {
  const std::string entry =
      PromptOnRow25(shell, "New Spacing: ", 14, 3, 3, 0, NumToStr(shell.Font.Header.Spacing));
  if (entry.empty() || (StrToNum(entry) & 0xFF) == shell.Font.Header.Spacing) return;
  int error = 0;
  if (!SetFontSpacing(shell.Font, static_cast<uint8_t>(StrToNum(entry) & 0xFF), error))
    ReportHeaderFailure(shell, error);
  ReloadKeepingFont(shell, n, error);
}

void ChangeFontType(TShell& shell, int& n) {
  const uint8_t type = ChooseFontType(shell);
  if (type == 0) return;
  int error = 0;
  if (!SetFontType(shell.Font, static_cast<uint8_t>(type - 1), error))
    ReportHeaderFailure(shell, error);
  ReloadKeepingFont(shell, n, error);
}

void ExtractCurrentFont(TShell& shell, int n) {
  const std::string chosen =
      SaveFileDialog(shell.Con, " Save Font As... ", FontNameOf(shell.Font, n) + ".tdf",
                     DialogFolder(shell, TFolderKind::Fonts), kFontMask);
  if (chosen.empty()) return;
  RememberDialogFolder(shell, TFolderKind::Fonts, chosen);
  int error = 0;
  if (!ExtractFont(shell.Font, chosen, error))
    ReportFailure(shell, "Error while extracting font!", error);
}

void MergeAnotherFile(TShell& shell, int& n) {
  shell.Con.WriteXY(1, 25, shell.IdleAttr, CharStr(' ', 79));
  const std::string chosen = OpenFileDialog(shell.Con, " Select Font ",
                                            DialogFolder(shell, TFolderKind::Fonts), kFontReadMask);
  if (!chosen.empty()) RememberDialogFolder(shell, TFolderKind::Fonts, chosen);
  if (chosen.empty() || !AskToMerge(shell, chosen)) return;
  int added = 0, error = 0;
  if (MergeFontFile(shell.Font, chosen, added, error))
    MessageBox(shell.Con, 0, "Status",
               NumToStr(added) + (added == 1 ? " font added." : " fonts added."));
  else
    ReportFailure(shell, "Error while merging fonts!", error);
  ReloadShellFont(shell, 0);
  n = shell.Font.Selected;
}

void CreateNewFontFile(TShell& shell) {
  const std::string chosen =
      SaveFileDialog(shell.Con, " Font File ", "newfont.tdf",
                     AddSlash(DialogFolder(shell, TFolderKind::Fonts)), kFontMask);
  if (chosen.empty()) return;
  RememberDialogFolder(shell, TFolderKind::Fonts, chosen);

  TMenuBox box(shell.Con);
  SetDialogLook(box);
  box.Box(32, 7, 47, 9);
  shell.Con.WriteXY(33, 7, 11, " Font Name ");
  shell.Con.WriteXY(1, 25, 7, PadRight("Leave Blank to abort. Press ENTER when ready.", 79, ' '));
  std::string name;
  InputLine(shell.Con, name, 34, 8, 12, 12, 1, 7, 15, 0xB0, "");
  const uint8_t type = ChooseFontType(shell);
  box.Close();

  if (type == 0 || name.empty()) return;
  int error = 0;
  if (CreateFontFile(chosen, name, static_cast<uint8_t>(type - 1), error))
    MessageBox(shell.Con, 0, "Status", "Font created!");
  else
    ReportFailure(shell, "Error while creating font!", error);
}

void DeleteFontFromFile(TShell& shell, int& n) {
  int error = kOnlyFont;
  if (shell.Font.Count() == 1) return ReportFailure(shell, "Cannot delete the font.", error);
  // One key must not lose a font: the question names it and starts on NO.
  std::string name = FontNameOf(shell.Font, n);
  name.erase(name.find_last_not_of(' ') + 1);  // many names are padded with spaces
  if (!MessageBox(shell.Con, 1, " Delete ", "Delete the font " + name + "?", false)) return;
  const bool deleted = DeleteFont(shell.Font, n, error);
  if (!deleted) ReportFailure(shell, "Cannot delete the font.", error);
  // The font after it takes its number; after the last one the new last is shown.
  ReloadShellFont(shell, deleted ? std::min(n, shell.Font.Count() - 1) : n, error);
  n = shell.Font.Selected;
}

void DuplicateFont(TShell& shell, int& n) {
  const std::string name =
      PromptOnRow25(shell, "Name of the copy:" + std::string(24, ' ') + "Up to 12 chars.", 19, 12,
                    12, 1, ListedName(shell.Font.Header));
  if (name.empty()) return;
  int error = 0;
  const bool cloned = CloneFont(shell.Font, n, name, error);
  if (!cloned) ReportFailure(shell, "Cannot duplicate the font.", error);
  ReloadShellFont(shell, cloned ? n + 1 : n, error);
  n = shell.Font.Selected;
}

namespace {

void MoveShownFont(TShell& shell, int& n, TFontMove direction) {
  int error = 0;
  const bool moved = MoveFont(shell.Font, n, direction, error);
  if (!moved) ReportFailure(shell, "Cannot move the font.", error);
  ReloadShellFont(shell, moved ? (direction == TFontMove::Up ? n - 1 : n + 1) : n, error);
  n = shell.Font.Selected;
}

}  // namespace

void MoveFontUp(TShell& shell, int& n) {
  MoveShownFont(shell, n, TFontMove::Up);
}

void MoveFontDown(TShell& shell, int& n) {
  MoveShownFont(shell, n, TFontMove::Down);
}

void EditGlyphCommand(TShell& shell) {
  if (shell.Font.Path.empty() || shell.Font.Count() == 0) {
    MessageBox(shell.Con, 0, "Error", "No Font Selected!");
    return;
  }
  if (shell.Font.Header.FontType > ftColor) {
    MessageBox(shell.Con, 0, "Error", "Unsupported type");
    return;
  }
  const uint8_t ch = ChooseGlyphChar(shell.Con);
  if (ch == 0) return;
  TFontLook look = shell.FontLook();
  EditGlyph(shell.Con, shell.Font, ch, look, shell.Sample(), shell.GlyphClipboard);
  // A style chosen with O in the editor stays, as one chosen on the main screen.
  if (look.Style.Outline != shell.OutlineStyle) {
    shell.OutlineStyle = look.Style.Outline;
    if (!shell.ConfigFile.empty()) WriteOutlineStyleSetting(shell.ConfigFile, shell.OutlineStyle);
  }
}
