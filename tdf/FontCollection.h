#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tdf/TdfFormat.h"
#include "util/Files.h"

struct TFontFile;

// Every font of every TheDraw font file under some paths, read from the
// headers alone, so a folder of hundreds of files or a bundle of thousands of
// fonts lists at once; glyphs are read later, for the one font shown (into a
// TFontFile of its own).

struct TCollectedFont {
  int32_t File = 0;    // index into TFontCollection::Files
  int32_t Number = 0;  // 1-based, within its file
  TFontRecord Font;    // name, header offset, type and header, as listed
};

struct TFontCollection {
  std::vector<std::string> Files;     // the font files read, byte-wise by path
  std::vector<bool> Figlet;           // for each file: a FIGlet or TOIlet font
  std::vector<TCollectedFont> Fonts;  // by file, then by number
  // "PATH: skipped: REASON" for every path passed over, in the order met.
  std::vector<std::string> Notes;
  // False when a path given by the caller could not be read at all.
  bool NamedPathsRead = true;
};

// Reads every font under paths. A directory is searched recursively for
// regular files whose name ends in ".tdf", ".flf" or ".tlf" in any letter
// case; links to files are followed, links to directories are not (a link
// back up would never end). A file named in paths is read whatever its name.
// A FIGlet or TOIlet font is one Block font, as LoadFontFile reads it.
// Entries that are neither regular files nor directories, directories that
// cannot be read and files that hold no fonts are noted and skipped; none is
// ever opened in a way that could block.
TFontCollection ReadFontCollection(std::span<const std::string> paths);

// Whether a file name ends in ".tdf", ".flf" or ".tlf" in any letter case:
// the font files a folder is searched for.
bool HasFontFileSuffix(std::string_view name);

// How many of '!'..'~' the font has a glyph for.
int GlyphCountOf(const TFontHeader& header);
// True when the font has a glyph for every character of text but the space;
// a character outside '!'..'~' can never be had.
bool HasEveryChar(const TFontHeader& header, std::string_view text);
// "Outline", "Block", "Color", or "unknown (N)" for another type byte.
std::string FontTypeLabel(uint8_t fontType);

// The fonts whose listed name is name (code page 437), ignoring the case of
// ASCII letters and spaces around either, in the collection's order.
std::vector<const TCollectedFont*> FontsNamed(const TFontCollection& collection,
                                              std::string_view name);

// Reads fonts of a collection with their glyph blocks, one after another,
// keeping the file of the last one open so the fonts of a bundle cost one
// open, not one each.
class TCollectedFontReader {
 public:
  explicit TCollectedFontReader(const TFontCollection& collection) : Collection(collection) {}
  // font as a font value of its own: the file's path, the font listed as
  // font 1 and selected, its header and its glyph block as far as the file
  // holds it. False (with the errno in error, 0 for a header without a
  // valid marker) when it cannot be read.
  bool Read(const TCollectedFont& font, TFontFile& out, int& error);

 private:
  const TFontCollection& Collection;
  TFileHandle File;
  int32_t OpenIndex = -1;  // the file File holds open
};
