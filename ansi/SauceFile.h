#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ansi/Sauce.h"

class TFileHandle;

// SAUCE records of files on disk, for the viewer and the command-line tool.
// Any file may carry one, font files included.

// Reads the record of the file at path from its last bytes only, so a big
// font bundle costs no more than a small piece of art. found says whether
// the file has one. False (error holds the errno) when it cannot be read.
bool ReadSauceFile(std::string_view path, TSauce& sauce, bool& found, int& error);
// The same on a file already open for reading (its position does not move),
// with where the file's content ends: before its trailer, or the file's size
// when it has no record.
bool ReadSauceFile(TFileHandle& file, TSauce& sauce, bool& found, int& error, int64_t& contentEnd);

// What a write changes; every text in code page 437. Fields not given keep
// the value of the file's record, or are empty in a new one.
struct TSauceEdit {
  std::optional<std::string> Title;
  std::optional<std::string> Author;
  std::optional<std::string> Group;
  std::optional<std::string> Date;                   // "CCYYMMDD"
  std::optional<std::vector<std::string>> Comments;  // replace every comment line
  std::string Today;                                 // the date of a record that has none yet
  // Whether a file's content (without a record) is a font file, which gets a
  // record without a type; without it every file is taken for ANSI art.
  bool (*IsFontFile)(std::span<const uint8_t> content) = nullptr;
};

// Gives the file at path a record: the edit applied to its record, or to a
// new one (ANSI art gets its type, 80 columns and the rows of its picture;
// a font file gets no type). The content stays byte for byte and any old
// trailer goes, so records never stack. The file is replaced through a
// temporary file and a rename. False with the reason in a user's words when a
// text does not fit (nothing is written) or the file cannot be read or written.
bool WriteSauceFile(std::string_view path, const TSauceEdit& edit, std::string& why);

// Today's local date as "CCYYMMDD".
std::string SauceToday();
