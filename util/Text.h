#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Case, padding and search helpers over the program's text type: a string of
// code-page-437 bytes holding at most 255 characters. Text arguments longer
// than that count as their first 255 characters, and no result grows past 255.
// Only the ASCII letters have a case; code-page letters stay as they are.

constexpr size_t kMaxText = 255;

// The first 255 characters of s (all of it when it is shorter).
std::string_view ClipText(std::string_view s);

char LoCase(char c);
std::string UpStr(std::string_view s);
std::string LoStr(std::string_view s);
std::string CharStr(char c, uint8_t count);

// Widths cut longer texts to their first `width` characters (the end is lost).
std::string PadRight(std::string_view s, uint8_t width, char fill);
std::string PadLeft(std::string_view s, uint8_t width, char fill);
// An odd spare column goes to the right.
std::string PadCenter(std::string_view s, uint8_t width, char fill);

// 1-based position of needle in haystack ignoring ASCII case; 0 when absent or
// when needle is empty.
uint8_t PosNoCase(std::string_view needle, std::string_view haystack);
