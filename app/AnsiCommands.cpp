#include "app/AnsiCommands.h"

#include <string>

#include "ansi/AnsiWriter.h"
#include "app/DialogFolders.h"
#include "app/ShellState.h"
#include "screens/AnsiViewer.h"
#include "tdf/FontFile.h"
#include "util/Files.h"
#include "util/Paths.h"
#include "widgets/FileDialog.h"
#include "widgets/Prompts.h"

namespace {

constexpr char kAnsiMask[] = "*.ans";
// Every format the viewer reads; a file of another name that has a SAUCE
// record of its type opens too when the mask is changed.
constexpr char kArtMask[] = "*.ans;*.bin;*.xb;*.adf;*.idf;*.tnd;*.pcb";

}  // namespace

void ViewAnsiImage(TShell& shell) {
  const std::string chosen =
      OpenFileDialog(shell.Con, " Select Image ", DialogFolder(shell, TFolderKind::Art), kArtMask);
  if (!FileThere(chosen)) return;
  RememberDialogFolder(shell, TFolderKind::Art, chosen);
  // The shell's font is shown under the art, and a block marked in it becomes its glyph.
  const auto fontChars = [&shell] { return GetFontChars(shell.Font); };
  ShowAnsiFile(shell.Con, chosen, 1, 24, fontChars, &shell.Font);
}

void SaveScreenAsAnsi(TShell& shell, int n) {
  const std::string chosen =
      SaveFileDialog(shell.Con, " Save Screen ", FontNameOf(shell.Font, n) + ".ans",
                     DialogFolder(shell, TFolderKind::Screens), kAnsiMask);
  if (chosen.empty()) return;
  RememberDialogFolder(shell, TFolderKind::Screens, chosen);
  TCellGrid savedScreen;
  shell.Con.SaveScreen(savedScreen);
  int error = 0;
  if (!SaveAnsi(chosen, savedScreen, error))
    MessageBox(shell.Con, 0, "Error",
               "Cannot save " + JustName(chosen) + ": " + FileErrorText(error));
}
