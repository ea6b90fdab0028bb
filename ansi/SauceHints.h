#pragma once

#include <optional>
#include <string_view>

#include "ansi/ArtPicture.h"
#include "ansi/Sauce.h"

// What a SAUCE record says about drawing its picture. Pure functions over a
// record already read (ParseSauce).

enum : uint8_t {
  kSauceDataBinaryText = 5,
  kSauceDataXBin = 6,
  kSauceFileAscii = 0,
  kSauceFileAnsiMation = 2,
  kSauceFilePcBoard = 4,
  kSauceFileAvatar = 5,
  kSauceFileTundra = 8,
};

// True for the records whose flags and font name mean something: text art
// (ASCII, ANSi, ANSiMation) and BinaryText.
bool SauceHasArtFlags(const TSauce& sauce);

// iCE or blink, letter spacing, aspect ratio and font from the record; the
// defaults (iCE, nothing known) without one or for other kinds of record.
TArtHints SauceArtHints(const std::optional<TSauce>& sauce);

// The picture width a record gives in columns: TInfo1 of text art (ASCII,
// ANSi, ANSiMation, PCBoard, Avatar, TundraDraw), and of BinaryText TInfo1
// or else twice the file type. 0 when it gives none.
int SauceWidth(const TSauce& sauce);

// The columns ANSI art (and plain text) is drawn in: TInfo1 of an ASCII,
// ANSi or ANSiMation record when it gives one, else 80. Not cut to
// kArtMaxWidth: the caller says when a picture is wider than it can be.
int AnsiArtWidth(const std::optional<TSauce>& sauce);

// The glyph height a SAUCE font name stands for: 8 for "IBM VGA50",
// "IBM EGA43" and the 8-pixel fonts of other machines, 14 for "IBM EGA",
// 19 for "IBM VGA25G", 16 for "IBM VGA" and any name not known. A code page
// after the name ("IBM VGA50 437") keeps the height.
int SauceFontHeight(std::string_view name);
