#include "app/ColorTools.h"

#include <algorithm>
#include <array>
#include <functional>
#include <string_view>
#include <vector>

#include "app/ShellState.h"
#include "util/Numbers.h"
#include "util/Text.h"
#include "widgets/ConsoleWaits.h"
#include "widgets/LineEditor.h"
#include "widgets/MenuBox.h"
#include "widgets/PipeWriter.h"
#include "widgets/ScreenCells.h"

namespace {

constexpr int kFirstRow = 2, kLastRow = 21;
constexpr char kAttrHint[] = "Attr = FG + BG * 16";
constexpr char kPaletteLabel[] = "Used Colors: ";
// The widest row of the palette box: its text starts in column 4, and the box
// (one blank after the text) and its shadow must end by column 80.
constexpr size_t kPaletteWidth = 73;

// Changes the attribute of the text area's cells in a copy and puts the copy
// back, so the whole change shows at once.
void ChangeTextArea(TTextConsole& con, const std::function<uint8_t(uint8_t)>& newAttr) {
  TCellGrid screen;
  con.SaveScreen(screen);
  for (int y = kFirstRow - 1; y < kLastRow && y < screen.Height(); ++y)
    for (TScreenChar& cell : screen.Row(y)) cell.Attr = newAttr(cell.Attr);
  con.RestoreScreen(screen);
}

// The hint ends in the screen's last cell; written as text, the cursor would
// step past it and scroll the whole screen up a row.
void WriteAttrHint(TShell& shell) {
  PutText(shell.Con, 1, 25, shell.StatusAttr, PadLeft(kAttrHint, 80, ' '));
}

// A three-digit number at (x, 25), stored modulo 256.
uint8_t ReadNumberAt(TTextConsole& con, uint8_t x) {
  std::string entry;
  InputLine(con, entry, x, 25, 3, 3, 0, 15, 8, 0xB2, "");
  return static_cast<uint8_t>(StrToNum(entry) & 0xFF);
}

// The foreground colours 1..15 of the text area, in increasing order.
std::vector<int> UsedColorNumbers(const TTextConsole& con) {
  std::array<bool, 16> used{};
  for (int y = kFirstRow; y <= kLastRow; ++y)
    for (int x = 1; x <= 80; ++x) used[con.GetAttrAt(x, y) & 15] = true;
  std::vector<int> colors;
  for (int j = 1; j <= 15; ++j)
    if (used[j]) colors.push_back(j);
  return colors;
}

// A blank, two blocks in colour j, then j in white; pipe-coded.
std::string Swatch(int j) {
  return " |" + PadLeft(NumToStr(j), 2, '0') + "\xDB\xDB|15|16" + NumToStr(j);
}
size_t SwatchWidth(int j) {
  return 3 + NumToStr(j).size();
}

}  // namespace

void RecolorText(TTextConsole& con, uint8_t attr) {
  ChangeTextArea(con, [attr](uint8_t) { return attr; });
}

void SubstituteAttr(TTextConsole& con, uint8_t oldAttr, uint8_t newAttr) {
  ChangeTextArea(con, [=](uint8_t a) { return a == oldAttr ? newAttr : a; });
}

void ShowPalette(TShell& shell) {
  TCellGrid saved;
  shell.Con.SaveScreen(saved);
  // Scanned before the box covers row 21, so only the picture's colours count.
  // The swatches take a second row when one would run out of the screen.
  const size_t indent = std::string_view(kPaletteLabel).size();
  std::vector<std::string> rows{kPaletteLabel};
  std::vector<size_t> widths{indent};
  for (const int j : UsedColorNumbers(shell.Con)) {
    if (widths.back() + SwatchWidth(j) > kPaletteWidth) {
      rows.emplace_back(indent, ' ');
      widths.push_back(indent);
    }
    rows.back() += Swatch(j);
    widths.back() += SwatchWidth(j);
  }
  const size_t widest = *std::max_element(widths.begin(), widths.end());
  const auto top = static_cast<uint8_t>(22 - rows.size());
  {
    // Left on the screen until the screen is put back.
    TMenuBox box(shell.Con);
    SetDialogLook(box);
    box.Box(2, top, static_cast<uint8_t>(widest + 5), 23);
  }
  for (size_t i = 0; i < rows.size(); ++i)
    WritePipeXY(shell.Con, 4, static_cast<uint8_t>(top + 1 + i), 7, rows[i]);
  WaitForAnyKey(shell.Con);
  shell.Con.RestoreScreen(saved);
}

void RecolorCommand(TShell& shell) {
  WriteAttrHint(shell);
  shell.Con.WriteXY(2, 25, shell.StatusAttr, "Recolor: ");
  RecolorText(shell.Con, ReadNumberAt(shell.Con, 11));
  shell.KeepScreen = true;
}

void SubstituteCommand(TShell& shell) {
  WriteAttrHint(shell);
  shell.Con.WriteXY(2, 25, shell.StatusAttr, "X: ");
  const uint8_t x = ReadNumberAt(shell.Con, 5);
  shell.Con.WriteXY(8, 25, shell.StatusAttr, "Y: ");
  const uint8_t y = ReadNumberAt(shell.Con, 11);
  shell.Con.WriteXY(16, 25, shell.StatusAttr, "Attr: ");
  const uint8_t attr = ReadNumberAt(shell.Con, 22);
  SubstituteAttr(shell.Con, shell.Con.GetAttrAt(x, y), attr);
  shell.KeepScreen = true;
}
