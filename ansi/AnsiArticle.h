#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// The plain-text export of an ANSI art file: line by line, without pipe
// colour codes and without escape sequences that end in "m".

// Everything from an ESC up to and including the next "m" is dropped; a
// sequence with another final character swallows the text up to the next
// "m" of the line, or to its end.
std::string StripEscapes(std::string_view line);

// The export of a file's bytes: each line (ended by CR, LF or CR LF) cut to
// 255 characters, stripped of colour codes and escapes, and ended by LF.
std::string ArticleText(std::span<const uint8_t> source);

// Writes the export of source into dest. An existing dest is never
// overwritten. On false, why says what went wrong in the user's words
// ("notes.txt exists already", "cannot read art.ans: permission denied").
bool SaveArticle(std::string_view source, std::string_view dest, std::string& why);
