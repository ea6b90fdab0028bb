#include "app/RowPrompt.h"

#include "app/ShellState.h"
#include "util/Text.h"
#include "widgets/LineEditor.h"

namespace {
constexpr uint8_t kPromptFill = 0xB2;
}  // namespace

std::string PromptOnRow25(TShell& shell, const std::string& label, uint8_t column, uint8_t width,
                          uint8_t maxLen, uint8_t mode, const std::string& start) {
  shell.Con.WriteXY(1, 25, shell.StatusAttr, CharStr(' ', 79));
  shell.Con.WriteXY(1, 25, shell.StatusAttr, label);
  std::string result;
  InputLine(shell.Con, result, column, 25, width, maxLen, mode, 15, 8, kPromptFill, start);
  return result;
}
