#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ansi/ArtPicture.h"
#include "ansi/Sauce.h"

// Small art files of every format, built byte by byte (most of them the
// test vectors checked against ansilove), and a picture as text.

// Bytes from hex pairs, blanks between them ignored: "58 42 49".
std::vector<uint8_t> HexBytes(std::string_view hex);
std::vector<uint8_t> Cat(std::initializer_list<std::vector<uint8_t>> parts);
// The trailer of a record with the given types, TInfo1 and flags.
std::vector<uint8_t> SauceOf(uint8_t dataType, uint8_t fileType, uint16_t tinfo1, uint8_t flags,
                             std::string_view font = "");

struct TArtSample {
  std::string FileName;  // its extension chooses the reader
  std::vector<uint8_t> Bytes;
};

// 2x2 BIN with a BinaryText record: width 2, iCE.
TArtSample BinSample();
// 2x2 raw XBin, default palette and font.
TArtSample XBinRawSample();
// 3x3 compressed XBin with every kind of run, runs crossing rows.
TArtSample XBinCompressedSample();
// 1x1 XBin with a palette and a 2-pixel font.
TArtSample XBinPaletteFontSample();
// 2x1 XBin with a 512-glyph font 1 pixel high.
TArtSample XBin512Sample();
// ArtWorx with colours only at the EGA entries the text colours use.
TArtSample ArtWorxSample();
// iCE Draw, 80 columns: two runs around a literal cell.
TArtSample IceDrawSample();
// TundraDraw: three cells in 24-bit colours.
TArtSample TundraSample();
// PCBoard with @X codes and plain text.
TArtSample PcBoardSample();

// Each row: its characters (0 as '.'), a blank, the attributes in hex;
// trailing cells of character 0 and attribute 0 left out.
std::vector<std::string> ArtRows(const TArtPicture& picture);
