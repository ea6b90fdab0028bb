#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli/CliArgs.h"

struct TFontFile;

// How brixel-cli finds the font to draw with: a file and a number
// ("--font N FILE" or "FILE.tdf:N"), a name looked up under the font
// folders, or a random font of the folders that can draw the text. Failures
// are reported as the command's.

// The folders fonts are looked up in by name: key "path" of section "fonts"
// of brixel.ini next to the program when it is set, then every --font-dir.
std::vector<std::string> FontFolders(const TCliArgs& args);

// "PATH:N" split into the path and the font number when the whole text names
// no file, PATH names one and N is a whole number.
bool SplitFontChoice(const std::string& text, std::string& path, int& number);

// Whether text names a font file rather than a text to draw: an existing
// regular file whose name ends in ".tdf", ".flf" or ".tlf" in any case or
// that starts as a TheDraw or FIGlet font does, alone or as "PATH:N".
bool NamesFontFile(const std::string& text);

// Loads path and selects font number (0: the last font), as a command says
// what went wrong: a file without fonts, a number past the last, a header
// without a valid marker, a font of unknown type.
bool LoadDrawableFont(const TCliCommand& command, const std::string& path, int number,
                      TFontFile& font);

// The font named name (UTF-8, any letter case) under the folders; a name no
// font has, or more than one font has (they are listed as PATH:N), fails.
bool LoadFontNamed(const TCliCommand& command, const std::vector<std::string>& folders,
                   const std::string& name, TFontFile& font);

// A font under the folders, picked at random among those that can draw
// every character of text (code page 437; a letter by its other case's
// glyph with caseFallback); the same seed picks the same font
// of the same folders. The choice is named on stderr.
bool LoadRandomFont(const TCliCommand& command, const std::vector<std::string>& folders,
                    std::string_view text, bool caseFallback, std::optional<uint32_t> seed,
                    TFontFile& font);
