#pragma once

#include <cstdint>
#include <string>

#include "app/ShellState.h"

// The main screen's prompts: row 25 cleared in StatusAttr, the label written,
// and a field edited after it (text in 15, the rest of the field in 8 on
// shaded blocks). Answers the text, whatever key ended the editing.
std::string PromptOnRow25(TShell& shell, const std::string& label, uint8_t column, uint8_t width,
                          uint8_t maxLen, uint8_t mode, const std::string& start);
