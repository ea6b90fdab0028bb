#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "ansi/ArtReaders.h"
#include "ansi/Sauce.h"

// Which reader a file goes to, and reading a whole file through it.

enum class TArtFormat : uint8_t { Ansi, Bin, XBin, ArtWorx, IceDraw, Tundra, PcBoard };

// The format of a file: by its extension (.bin .xb .adf .idf .tnd .pcb in
// any case), else by its SAUCE record's data and file type, else ANSI (for
// .ans and every other extension: plain text is read as ANSI too).
TArtFormat ArtFormatOf(std::string_view fileName, const std::optional<TSauce>& sauce);

// A whole file's bytes: the SAUCE trailer is cut off and kept in the
// result, the rest goes to the reader ArtFormatOf chooses. columns other
// than 0 is the width of the formats that do not fix their own (ANSI and
// text, BIN, TundraDraw, PCBoard) instead of the record's or the default.
// ice, when given, is the user's choice of iCE colours (true) or blink over
// the file's: the picture's Hints.Ice, and how ANSI art is interpreted.
// maxRows other than 0 is the most rows the picture may have
// (TArtPicture::SetMaxRows). A file whose reader drew no cell at all holds
// no picture (TArtProblem::NoPicture).
TArtRead ReadArt(std::span<const uint8_t> file, std::string_view fileName, int columns = 0,
                 std::optional<bool> ice = std::nullopt, int maxRows = 0);

// ReadArt on the file at path. False, with the errno in error, when the file
// cannot be read; what the picture lacks is in read.Problem.
bool ReadArtFile(std::string_view path, TArtRead& read, int& error, int columns = 0,
                 std::optional<bool> ice = std::nullopt, int maxRows = 0);
