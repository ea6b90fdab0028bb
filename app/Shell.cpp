#include "app/Shell.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "app/CommandLoop.h"
#include "app/Config.h"
#include "app/FontFileCommands.h"
#include "app/ShellState.h"
#include "tdf/FontFile.h"
#include "util/Paths.h"

namespace {

std::string WorkingDirectory() {
  std::error_code ec;
  const auto dir = std::filesystem::current_path(ec);
  return ec ? std::string() : dir.string();
}

}  // namespace

void RunShell(TShell& shell, int argc, char** argv) {
  shell.StartDir = WorkingDirectory();
  shell.ConfigFile = ProgramDir() + "brixel.ini";
  const TFontsSettings settings = ReadFontsSettings(shell.ConfigFile, shell.StartDir);
  shell.FontPath = settings.Path;
  shell.OutlineStyle = static_cast<uint8_t>(settings.OutlineStyle);
  shell.LastFolders.Art = settings.ArtPath;
  shell.Con.SetPalette(PaletteFor(settings.Palette));

  // No argument, or one that names no file, opens the Load dialog; leaving it
  // ends the program with a cleared screen.
  if (!ChooseFontFile(shell, argc > 1 ? argv[1] : "")) {
    shell.Con.SetTextAttr(7);
    shell.Con.ClrScr();
    return;
  }
  const int n = shell.Font.Selected;
  shell.DisplayText = kDefaultDisplayText;
  shell.StartDir = WorkingDirectory();
  RunCommandLoop(shell, n);
}
