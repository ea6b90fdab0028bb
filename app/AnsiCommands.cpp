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

// Glyph capture is on exactly while the viewer runs.
class TCaptureMode {
 public:
  TCaptureMode() { MouseBlockMode = 2; }
  ~TCaptureMode() { MouseBlockMode = 1; }
  TCaptureMode(const TCaptureMode&) = delete;
  TCaptureMode& operator=(const TCaptureMode&) = delete;
};

}  // namespace

void ViewAnsiImage() {
  DialogResult = OpenFileDialog(" Select Image ", DialogFolder(TFolderKind::Art), kAnsiMask);
  if (!FileThere(DialogResult)) return;
  RememberDialogFolder(TFolderKind::Art, DialogResult);
  const TCaptureMode capture;
  ShowAnsiFile(DialogResult, 1, 24, [] { return GetFontChars(ShellFont); });
}

void SaveScreenAsAnsi(int n) {
  DialogResult = SaveFileDialog(" Save Screen ", FontNameOf(ShellFont, n) + ".ans",
                                DialogFolder(TFolderKind::Screens), kAnsiMask);
  if (DialogResult.empty()) return;
  RememberDialogFolder(TFolderKind::Screens, DialogResult);
  TScreen savedScreen;
  SaveScreen(savedScreen);
  int error = 0;
  if (!SaveAnsi(DialogResult, savedScreen, error))
    MessageBox(0, "Error", "Cannot save " + JustName(DialogResult) + ": " + FileErrorText(error));
}
