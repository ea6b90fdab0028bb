#pragma once

#include <optional>
#include <string>
#include <string_view>

// Code page 437 as the console draws it <-> UTF-8 for the world outside the
// window (clipboard, terminal, JSON).

// Every byte becomes the character drawn for it: 1..31 and 127 are the
// pictographs (1 is U+263A), 0 stays U+0000 so the conversion can be undone.
std::string Cp437ToUtf8(std::string_view s);

// The inverse. U+0000..U+001F and U+007F also map to the byte of the same
// value; characters without a code-page-437 form and malformed UTF-8 become
// unmapped: "?", or for text to draw, 0, which no glyph draws.
std::string Utf8ToCp437(std::string_view s, char unmapped = '?');
// The byte of one code point as Utf8ToCp437 maps it, or -1 when it has none.
int Cp437ByteOf(char32_t cp);
// The first character of s (UTF-8) that code page 437 has no byte for (a
// malformed sequence is U+FFFD), or nothing when Utf8ToCp437 maps them all.
std::optional<char32_t> FirstUnmappedChar(std::string_view s);

// Decodes the UTF-8 sequence at s[i] and moves i past it. A malformed,
// overlong or cut-off sequence answers U+FFFD and moves on by one byte.
char32_t DecodeUtf8(std::string_view s, size_t& i);
// Appends code point cp (at most U+10FFFF) to out as UTF-8.
void AppendUtf8(std::string& out, char32_t cp);
