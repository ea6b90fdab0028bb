#include "app/CommandLoop.h"

#include <string>

#include "app/AnsiCommands.h"
#include "app/ColorTools.h"
#include "app/Config.h"
#include "app/FontBrowser.h"
#include "app/FontFileCommands.h"
#include "app/FontEditCommands.h"
#include "app/GlyphEditor.h"
#include "app/MainScreen.h"
#include "app/RowPrompt.h"
#include "app/ShellState.h"
#include "console/ConsoleLayer.h"
#include "tdf/FontFile.h"
#include "tdf/OutlineStyles.h"
#include "util/Numbers.h"
#include "util/Text.h"
#include "widgets/WidgetKeys.h"

namespace {

void ChangeDisplayText() {
  DisplayText = PromptOnRow25("Text: ", 7, 50, 254, 1, DisplayText);
  if (DisplayText.empty()) DisplayText = kDefaultDisplayText;
}

// The prompt starts with the current value, selected: Enter keeps it, a
// number typed replaces it. An emptied entry cancels too, and must never end
// the program.
void ChangeTextPosition(const char* label, uint8_t& target) {
  const std::string entry = PromptOnRow25(label, 4, 3, 3, 0, NumToStr(target));
  if (entry.empty()) return;
  target = static_cast<uint8_t>(StrToNum(entry));
}

// The style is kept for the next start; a program directory that cannot be
// written (an installed program) only loses that.
void NextOutlineStyle() {
  OutlineStyle = static_cast<uint8_t>((OutlineStyle + 1) % kOutlineStyleCount);
  if (!ConfigFile.empty()) WriteOutlineStyleSetting(ConfigFile, OutlineStyle);
}

void WrapLoopState(int& n) {
  if (n > FontCount) n = 1;
  if (n < 1) n = FontCount;
  if (BlockColor > 15) BlockColor = 1;
  if (BlockColor < 1) BlockColor = 15;
}

}  // namespace

bool RunCommandPass(int& n) {
  DrawMainScreen(n);
  uint8_t key = ReadKey();
  KeepScreen = false;
  if (key == 0) {
    key = ReadKey();
    if (key == kScanUp) ++n;
    if (key == kScanDown) --n;
    WrapLoopState(n);
    return true;
  }
  if (key == kKeyEscape) return false;
  switch (LoCase(static_cast<char>(key))) {
    case 'h':
      ShowHelp();
      break;
    case 'l':
      LoadAnotherFontFile(n);
      break;
    case 'b':
      BrowseFonts(n);
      break;
    case 'g':
      EditGlyphCommand();
      break;
    case 'd':
      if (!DeleteFontFile(n)) return false;
      break;
    case 'n':
      RenameFont(n);
      break;
    case 'i':
      ChangeSpacing(n);
      break;
    case 'f':
      ChangeFontType(n);
      break;
    case 'e':
      ExtractCurrentFont(n);
      break;
    case 'm':
      MergeAnotherFile(n);
      break;
    case 'c':
      CreateNewFontFile();
      break;
    case 'a':
      ViewAnsiImage();
      break;
    case 's':
      SaveScreenAsAnsi(n);
      break;
    case 'p':
      ShowPalette();
      break;
    case 'o':
      NextOutlineStyle();
      break;
    case 'r':
      RecolorCommand();
      break;
    case 'u':
      SubstituteCommand();
      break;
    case 't':
      ChangeDisplayText();
      break;
    case 'x':
      ChangeTextPosition("X: ", TextX);
      break;
    case 'y':
      ChangeTextPosition("Y: ", TextY);
      break;
    case '+':
      if (DrawnInBlockColor()) ++BlockColor;
      break;
    case '-':
      if (DrawnInBlockColor()) --BlockColor;
      break;
    default:
      break;  // anything else just redraws
  }
  WrapLoopState(n);
  return true;
}

void RunCommandLoop(int n) {
  while (RunCommandPass(n)) {
  }
}
