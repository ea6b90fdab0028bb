#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// FIGlet fonts (.flf) and TOIlet fonts (.tlf), the banner fonts of the figlet
// and toilet programs, read as figlet reads them: a header line ("flf2a" or
// "tlf2a", the hardblank, the height and more numbers), comment lines, then
// every character as Height lines, each ended by an end mark. Both programs
// also read a font packed as the first file of a zip archive, and both take
// the lines of either form as UTF-8.

// The largest font file (and unpacked zip content) read: real fonts hold a
// few hundred kilobytes at most.
constexpr size_t kMaxFigletFontBytes = size_t{16} << 20;

// The printable ASCII characters every font holds first, ' '..'~'.
constexpr int kFigletFirstChar = 32;
constexpr int kFigletCharCount = 95;

struct TFigletFont {
  bool Toilet = false;       // "tlf2a"
  char32_t Hardblank = '$';  // drawn as a blank that smushing never removes
  int Height = 0;            // rows of every character
  int PrintDirection = 0;    // 1: the font is written right to left
  // Characters ' '..'~' in order, each as Height rows of code points: the
  // end marks and the blanks after them removed, hardblanks kept. A
  // character the file ends before is empty; one whose rows are all empty
  // draws nothing.
  std::array<std::vector<std::u32string>, kFigletCharCount> Chars;
};

// Whether bytes start as a FIGlet, TOIlet or FIGlet control file does, or as
// a zip archive (which ReadFigletFont looks into).
bool LooksLikeFigletFile(std::span<const uint8_t> head);

// Reads a font from a file's bytes. False, with why in the user's words, for
// anything figlet would not draw with: a control file (.flc), another file
// type, a header without its five numbers, a height below 1, a zip archive
// whose first file cannot be unpacked. A line ends, as figlet ends it, at
// the first byte that is no part of UTF-8 (a Latin-1 letter of an old font).
bool ReadFigletFont(std::span<const uint8_t> bytes, TFigletFont& font, std::string& why);
