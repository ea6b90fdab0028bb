#include "app/Shell.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "app/CommandLoop.h"
#include "app/Config.h"
#include "app/ShellState.h"
#include "console/ConsoleLayer.h"
#include "tdf/FontFile.h"
#include "util/Files.h"
#include "util/Paths.h"

namespace {

std::string WorkingDirectory() {
  std::error_code ec;
  const auto dir = std::filesystem::current_path(ec);
  return ec ? std::string() : dir.string();
}

// Shown in the window when there is nothing to show; ends after a key.
void ExplainAndWait(const std::string& line) {
  SetTextAttr(7);
  ClrScr();
  WriteXY(1, 1, 7, line);
  WriteXY(1, 3, 7, "Usage: brixel [fontfile]");
  WriteXY(1, 5, 8, "Press a key to quit.");
  ReadKey();
}

}  // namespace

void RunShell(int argc, char** argv) {
  DialogResult.clear();
  StartDir = WorkingDirectory();
  FontPath = ReadFontPathSetting(ProgramDir() + "brixel.ini", StartDir);

  const std::string argument = argc > 1 ? argv[1] : "";
  if (argument.empty()) {
    ExplainAndWait("No font file given.");
    return;
  }
  LastFontFile = argument;
  if (!LoadFontFile(LastFontFile)) {
    ExplainAndWait("Cannot open " + argument + ": " + FileErrorText(FontFileError));
    return;
  }
  // The loop needs a font to select: a file without one ends in order.
  if (FontCount == 0) {
    ExplainAndWait("No fonts in " + argument);
    return;
  }
  const int n = CurrentFont;
  DisplayText = kDefaultDisplayText;
  StartDir = WorkingDirectory();
  RunCommandLoop(n);
}
