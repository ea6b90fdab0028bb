#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Helpers for texts with pipe colour codes: "|" and two digits, "|00".."|15"
// for the foreground and "|16".."|23" for the background.

// The pipe codes that select attribute a: 7 gives "|07|16", 31 gives "|15|17".
std::string AttrToPipes(uint8_t a);

// A menu label whose first letter stands black on light grey between two half
// blocks and the rest light grey on black.
std::string HotKeyLabel(std::string_view s);
