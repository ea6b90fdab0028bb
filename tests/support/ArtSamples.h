#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ansi/ArtPicture.h"
#include "ansi/Sauce.h"

// Small art files of every format built byte by byte, most of them the test
// vectors checked against ansilove, and a picture as text.

// Bytes from hex pairs, blanks between them ignored: "58 42 49".
std::vector<uint8_t> HexBytes(std::string_view hex);
std::vector<uint8_t> Cat(std::initializer_list<std::vector<uint8_t>> parts);
// The trailer of a record with the given types, TInfo1, flags and font name.
std::vector<uint8_t> SauceOf(uint8_t dataType, uint8_t fileType, uint16_t tinfo1, uint8_t flags,
                             std::string_view font = "");

struct TArtSample {
  std::string FileName;  // its extension chooses the reader
  std::vector<uint8_t> Bytes;
};

TArtSample BinSample();              // 2x2, a BinaryText record: width 2, iCE
TArtSample XBinRawSample();          // 2x2, default palette and font
TArtSample XBinCompressedSample();   // 3x3, every kind of run, runs crossing rows
TArtSample XBinPaletteFontSample();  // 1x1, a palette and a font 2 pixels high
TArtSample XBin512Sample();          // 2x1, 512 glyphs 1 pixel high
TArtSample ArtWorxSample();          // colours only at the EGA entries text uses
TArtSample IceDrawSample();          // 80 columns: two runs around a cell
TArtSample TundraSample();           // three cells in 24-bit colours
TArtSample PcBoardSample();          // @X, @POS and other @-codes

// Each row: its characters (0 as '.'), a blank, the attributes in hex;
// trailing cells of character 0 and attribute 0 left out.
std::vector<std::string> ArtRows(const TArtPicture& picture);
