#include "app/CommandLoop.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "app/AnsiCommands.h"
#include "app/ColorTools.h"
#include "app/Config.h"
#include "app/FontEditCommands.h"
#include "app/FontFileCommands.h"
#include "app/RowPrompt.h"
#include "app/ShellState.h"
#include "console/KeyCodes.h"
#include "console/Palette.h"
#include "screens/MainScreen.h"
#include "tdf/FontFile.h"
#include "tdf/OutlineStyles.h"
#include "util/Numbers.h"
#include "util/Text.h"

namespace {

void ChangeDisplayText(TShell& shell) {
  shell.DisplayText = PromptOnRow25(shell, "Text: ", 7, 50, 254, 1, shell.DisplayText);
  if (shell.DisplayText.empty()) shell.DisplayText = kDefaultDisplayText;
}

// The prompt starts with the current value, selected: Enter keeps it, a
// number typed replaces it. An emptied entry cancels too, and must never end
// the program.
void ChangeTextPosition(TShell& shell, const char* label, uint8_t& target) {
  const std::string entry = PromptOnRow25(shell, label, 4, 3, 3, 0, NumToStr(target));
  if (entry.empty()) return;
  target = static_cast<uint8_t>(StrToNum(entry));
}

// The style is kept for the next start; a program directory that cannot be
// written (an installed program) only loses that.
void NextOutlineStyle(TShell& shell) {
  shell.OutlineStyle = static_cast<uint8_t>((shell.OutlineStyle + 1) % kOutlineStyleCount);
  if (!shell.ConfigFile.empty()) WriteOutlineStyleSetting(shell.ConfigFile, shell.OutlineStyle);
}

// The window's colours: classic and VGA in turn, at once on the screen and
// kept for the next start.
void NextPalette(TShell& shell) {
  const bool vga = shell.Con.Palette() == kVgaPalette;
  shell.Con.SetPalette(PaletteFor(vga ? TPaletteName::Classic : TPaletteName::Vga));
  if (!shell.ConfigFile.empty())
    WriteIniSetting(shell.ConfigFile, "screen", "Palette", vga ? "classic" : "vga");
}

void WrapLoopState(TShell& shell, int& n) {
  if (n > shell.Font.Count()) n = 1;
  if (n < 1) n = shell.Font.Count();
  if (shell.BlockColor > 15) shell.BlockColor = 1;
  if (shell.BlockColor < 1) shell.BlockColor = 15;
}

// What a key of the main screen does to the font shown; false ends the loop.
using TCommandAction = bool (*)(TShell& shell, int& n);

// A key of the main screen: the codes that call it (a plain byte, letters in
// lower case, or kExtendedKey plus a scan code; 0 fills), how the help screen
// names it, and its command. The help lists the keys in this order; the
// keys with a hint word make the first screen's hint, in this order too.
struct TCommandKey {
  std::array<uint16_t, 3> Codes;
  const char* Label;  // four columns at most
  const char* Help;
  TCommandAction Run;
  const char* Hint = nullptr;
};

constexpr uint16_t kExtendedKey = 0x100;

template <void (*Command)(TShell&)>
bool Plain(TShell& shell, int&) {
  Command(shell);
  return true;
}
template <void (*Command)(TShell&, int)>
bool OnFont(TShell& shell, int& n) {
  Command(shell, n);
  return true;
}
template <void (*Command)(TShell&, int&)>
bool ChangesFont(TShell& shell, int& n) {
  Command(shell, n);
  return true;
}

// A command that may load the font file again (after another program
// changed it): the font it leaves selected stays shown.
template <void (*Command)(TShell&)>
bool FollowsFont(TShell& shell, int& n) {
  Command(shell);
  if (shell.Font.Selected > 0) n = shell.Font.Selected;
  return true;
}

// The font number wraps after the command.
bool NextFont(TShell&, int& n) {
  ++n;
  return true;
}
bool PreviousFont(TShell&, int& n) {
  --n;
  return true;
}
bool Quit(TShell&, int&) {
  return false;
}

void ShowMainHelp(TShell& shell) {
  ShowHelp(shell.Con, MainHelpLines());
}
void ChangeTextX(TShell& shell) {
  ChangeTextPosition(shell, "X: ", shell.TextX);
}
void ChangeTextY(TShell& shell) {
  ChangeTextPosition(shell, "Y: ", shell.TextY);
}
void NextBlockColor(TShell& shell) {
  if (DrawnInBlockColor(shell.Font)) ++shell.BlockColor;
}
void PreviousBlockColor(TShell& shell) {
  if (DrawnInBlockColor(shell.Font)) --shell.BlockColor;
}

const TCommandKey kCommandKeys[] = {
    {{kKeyEscape}, "ESC", "Quit", Quit, "Quit"},
    {{'e'}, "E", "Extract Font", OnFont<ExtractCurrentFont>},
    {{'m'}, "M", "Merge Font", ChangesFont<MergeAnotherFile>},
    {{'c'}, "C", "Create Empty TDF File", Plain<CreateNewFontFile>},
    {{'l'}, "L", "Load Font File", ChangesFont<LoadAnotherFontFile>, "Load"},
    {{'s'}, "S", "Save ANSI Image", OnFont<SaveScreenAsAnsi>},
    {{'n'}, "N", "Change Name", ChangesFont<RenameFont>},
    {{'i'}, "I", "Change Spacing", ChangesFont<ChangeSpacing>},
    {{'t'}, "T", "Change Displayed Text", Plain<ChangeDisplayText>, "Text"},
    {{'f'}, "F", "Change Type of Font", ChangesFont<ChangeFontType>},
    {{'x'}, "X", "Change X Position of Text", Plain<ChangeTextX>},
    {{'y'}, "Y", "Change Y Position of Text", Plain<ChangeTextY>},
    {{'p'}, "P", "Color Palette", Plain<ShowPalette>},
    {{'r'}, "R", "Recolor Font", Plain<RecolorCommand>},
    {{'u'}, "U", "Substitute Color in X,Y Position", Plain<SubstituteCommand>},
    {{'o'}, "O", "Next Outline Style", Plain<NextOutlineStyle>},
    {{'b'}, "B", "Browse Fonts", ChangesFont<BrowseFonts>, "Browse"},
    {{'g'}, "G", "Edit Glyph", FollowsFont<EditGlyphCommand>, "Glyph"},
    {{'a'}, "A", "View ANSI Art", FollowsFont<ViewAnsiImage>, "Art"},
    {{'d'}, "D", "Delete Font File", DeleteFontFile},
    {{kExtendedKey | kScanDelete}, "Del", "Delete Font from File", ChangesFont<DeleteFontFromFile>},
    {{kExtendedKey | kScanInsert}, "Ins", "Duplicate Font", ChangesFont<DuplicateFont>},
    {{kExtendedKey | kScanPgUp}, "PgUp", "Move Font Up in File (-1)", ChangesFont<MoveFontUp>},
    {{kExtendedKey | kScanPgDn}, "PgDn", "Move Font Down in File (+1)", ChangesFont<MoveFontDown>},
    {{kExtendedKey | kScanUp}, "Up", "Next Font in File (+1)", NextFont, "Next Font"},
    {{kExtendedKey | kScanDown}, "Down", "Previous Font in File (-1)", PreviousFont},
    {{'+'}, "+", "Next Block Color", Plain<NextBlockColor>},
    {{'-'}, "-", "Previous Block Color", Plain<PreviousBlockColor>},
    {{'h', '?', kExtendedKey | kScanF1}, "H", "Help (also F1 and ?)", Plain<ShowMainHelp>},
    {{'w'}, "W", "Choose the Font Folder (B)", ChangesFont<ChooseFontFolder>},
    {{'v'}, "V", "Next Palette (Classic, VGA)", Plain<NextPalette>},
};

const TCommandKey* FindCommandKey(uint16_t code) {
  for (const TCommandKey& command : kCommandKeys)
    if (std::find(command.Codes.begin(), command.Codes.end(), code) != command.Codes.end())
      return &command;
  return nullptr;
}

// "ESC Quit", "L Load" ...: the keys a newcomer starts with.
std::vector<TKeyHint> KeyHint() {
  std::vector<TKeyHint> hint;
  for (const TCommandKey& command : kCommandKeys)
    if (command.Hint) hint.push_back({command.Label, command.Hint});
  return hint;
}

// The font the main screen shows, read from its file only when the file
// changed since it was last read or another font is to be shown. False when
// the file can no longer be read.
bool SelectShownFont(TShell& shell, int n) {
  const TFileStamp now = FileStampOf(shell.Font.Path);
  if (n == shell.Font.Selected && now.Size >= 0 && now == shell.ShownStamp) return true;
  const bool selected = SelectFont(shell.Font, n);
  shell.ShownStamp = selected ? now : TFileStamp{};
  return selected || !shell.Font.OpenFailed;
}

}  // namespace

bool RunCommandPass(TShell& shell, int& n, bool firstScreen) {
  const bool readable = SelectShownFont(shell, n);
  DrawMainScreen(shell.Con, shell.Font, n, readable,
                 {shell.FontLook(), shell.Sample(), shell.IdleAttr, shell.KeepScreen,
                  firstScreen ? KeyHint() : std::vector<TKeyHint>()});
  const uint8_t key = shell.Con.ReadKey();
  shell.KeepScreen = false;
  // Letters work in either case; an extended key is read whole.
  const uint16_t code = key == 0 ? kExtendedKey | shell.Con.ReadKey()
                                 : static_cast<uint8_t>(LoCase(static_cast<char>(key)));
  const TCommandKey* command = FindCommandKey(code);
  // Anything else just redraws.
  if (command && !command->Run(shell, n)) return false;
  WrapLoopState(shell, n);
  return true;
}

std::vector<std::string> MainHelpLines() {
  std::vector<std::string> lines;
  for (const TCommandKey& command : kCommandKeys)
    lines.push_back("|15" + PadRight(command.Label, 4, ' ') + "|08: |07" + command.Help);
  return lines;
}

void RunCommandLoop(TShell& shell, int n) {
  // The hint stays until the first key.
  if (!RunCommandPass(shell, n, true)) return;
  while (RunCommandPass(shell, n)) {
  }
}
