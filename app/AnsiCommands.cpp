#include "app/AnsiCommands.h"

#include <string>

#include "ansi/AnsiWriter.h"
#include "app/DialogFolders.h"
#include "app/ShellState.h"
#include "console/ConsoleLayer.h"
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

void ViewAnsiImage() {
  DialogResult = OpenFileDialog(" Select Image ", DialogFolder(TFolderKind::Art), kArtMask);
  if (!FileThere(DialogResult)) return;
  RememberDialogFolder(TFolderKind::Art, DialogResult);
  // The shell's font is shown under the art, and a block marked in it becomes its glyph.
  const auto fontChars = [] { return GetFontChars(ShellFont); };
  ShowAnsiFile(DialogResult, 1, 24, fontChars, &ShellFont);
}

void SaveScreenAsAnsi(int n) {
  DialogResult = SaveFileDialog(" Save Screen ", FontNameOf(ShellFont, n) + ".ans",
                                DialogFolder(TFolderKind::Screens), kAnsiMask);
  if (DialogResult.empty()) return;
  RememberDialogFolder(TFolderKind::Screens, DialogResult);
  TCellGrid savedScreen;
  SaveScreen(savedScreen);
  int error = 0;
  if (!SaveAnsi(DialogResult, savedScreen, error))
    MessageBox(0, "Error", "Cannot save " + JustName(DialogResult) + ": " + FileErrorText(error));
}
