#pragma once

#include <string>

// The system clipboard. Text goes in and comes out as UTF-8.
bool PutClipboardText(const std::string& utf8);
std::string GetClipboardText();
