#include "app/RowPrompt.h"

#include "app/ShellState.h"
#include "console/ConsoleLayer.h"
#include "console/LineEditor.h"
#include "util/Text.h"

namespace {
constexpr uint8_t kPromptFill = 0xB2;
}  // namespace

std::string PromptOnRow25(const std::string& label, uint8_t column, uint8_t width, uint8_t maxLen,
                          uint8_t mode, const std::string& start) {
  WriteXY(1, 25, StatusAttr, CharStr(' ', 79));
  WriteXY(1, 25, StatusAttr, label);
  std::string result;
  InputLine(result, column, 25, width, maxLen, mode, 15, 8, kPromptFill, start);
  return result;
}
