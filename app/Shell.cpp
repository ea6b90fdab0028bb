#include "app/Shell.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "app/CommandLoop.h"
#include "app/Config.h"
#include "app/FontFileCommands.h"
#include "app/ShellState.h"
#include "console/ConsoleLayer.h"
#include "tdf/FontFile.h"
#include "util/Paths.h"

namespace {

std::string WorkingDirectory() {
  std::error_code ec;
  const auto dir = std::filesystem::current_path(ec);
  return ec ? std::string() : dir.string();
}

}  // namespace

void RunShell(int argc, char** argv) {
  DialogResult.clear();
  StartDir = WorkingDirectory();
  ConfigFile = ProgramDir() + "brixel.ini";
  const TFontsSettings settings = ReadFontsSettings(ConfigFile, StartDir);
  FontPath = settings.Path;
  OutlineStyle = static_cast<uint8_t>(settings.OutlineStyle);
  LastFolders.Art = settings.ArtPath;
  if (Console) Console->SetPalette(PaletteFor(settings.Palette));

  // No argument, or one that names no file, opens the Load dialog; leaving it
  // ends the program with a cleared screen.
  if (!ChooseFontFile(argc > 1 ? argv[1] : "")) {
    SetTextAttr(7);
    ClrScr();
    return;
  }
  const int n = ShellFont.Selected;
  DisplayText = kDefaultDisplayText;
  StartDir = WorkingDirectory();
  RunCommandLoop(n);
}
