#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Number <-> text conversions for the user interface and for typed input.

std::string NumToStr(int32_t n);
// Exactly two characters: 7 gives "07", 123 gives "12".
std::string NumToStr2(int32_t n);
// Thousands separated by commas: 1234567 gives "1,234,567".
std::string NumToStrComma(int32_t n);

// The value of a text that is wholly a number, else 0. Leading blanks and tabs
// are skipped and one sign may follow; "$", "x", "X" or "0x" select hexadecimal,
// "%" binary and "&" octal. Anything else after the digits, no digits at all,
// or a value outside the signed 32-bit range gives 0.
int32_t StrToNum(std::string_view s);

// Two lower-case hexadecimal digits, high nibble first.
std::string HexByte(uint8_t b);
