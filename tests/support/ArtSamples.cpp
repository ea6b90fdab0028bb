#include "support/ArtSamples.h"

#include <charconv>
#include <cstdio>

std::vector<uint8_t> HexBytes(std::string_view hex) {
  std::vector<uint8_t> bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += hex[i] == ' ' ? 1 : 2) {
    if (hex[i] == ' ') continue;
    uint8_t b = 0;
    std::from_chars(hex.data() + i, hex.data() + i + 2, b, 16);
    bytes.push_back(b);
  }
  return bytes;
}

std::vector<uint8_t> Cat(std::initializer_list<std::vector<uint8_t>> parts) {
  std::vector<uint8_t> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

std::vector<uint8_t> SauceOf(uint8_t dataType, uint8_t fileType, uint16_t tinfo1, uint8_t flags,
                             std::string_view font) {
  TSauce sauce;
  sauce.DataType = dataType;
  sauce.FileType = fileType;
  sauce.TInfo1 = tinfo1;
  sauce.Flags = flags;
  sauce.Font = font;
  return SauceTrailer(sauce);
}

namespace {

std::vector<uint8_t> Text(std::string_view s) {
  return {s.begin(), s.end()};
}

// count bytes of value, then the given bytes at offsets inside them.
std::vector<uint8_t> Block(size_t count, std::initializer_list<std::pair<size_t, uint8_t>> set) {
  std::vector<uint8_t> bytes(count, 0);
  for (const auto& [at, value] : set) bytes[at] = value;
  return bytes;
}

// 256 glyphs of 16 rows, all blank except the full block.
std::vector<uint8_t> FullBlockFont() {
  std::vector<uint8_t> font(4096, 0);
  std::fill_n(font.begin() + 0xDB * 16, 16, 0xFF);
  return font;
}

}  // namespace

TArtSample BinSample() {
  return {"sample.bin", Cat({HexBytes("DB 1C 20 9F DB 0E 20 8F"), SauceOf(5, 1, 2, 0x01)})};
}

TArtSample XBinRawSample() {
  return {"raw.xb", HexBytes("58 42 49 4E 1A 02 00 02 00 10 00  DB 1C 20 9F DB 0E 20 8F")};
}

TArtSample XBinCompressedSample() {
  return {"compressed.XB", HexBytes("58 42 49 4E 1A 03 00 03 00 10 04  01 DB 01 20 20  "
                                    "42 DB 02 04 0E  81 50 20 DB  C1 DB 0F")};
}

TArtSample XBinPaletteFontSample() {
  return {"font.xb", Cat({HexBytes("58 42 49 4E 1A 01 00 01 00 02 03"),
                          Block(48, {{3, 0x3F}, {7, 0x20}, {11, 0x15}}),
                          Block(512, {{2, 0xF0}, {3, 0x0F}}), HexBytes("01 31")})};
}

TArtSample XBin512Sample() {
  return {"512.xb", Cat({HexBytes("58 42 49 4E 1A 02 00 01 00 01 12"),
                         Block(512, {{0x41, 0x80}, {256 + 0x41, 0xFF}}), HexBytes("41 07 41 0F")})};
}

TArtSample ArtWorxSample() {
  // 64 EGA colours: red 1, green 20, blue 56, white 63, and a decoy at 6 (brown is entry 20).
  std::vector<uint8_t> palette(192, 0);
  for (const size_t at : {3, 19, 20, 61, 170, 189, 190, 191}) palette[at] = 0x3F;
  return {"sample.adf", Cat({{0x01},
                             palette,
                             FullBlockFont(),
                             HexBytes("DB 01 20 60 DB 08 20 F0 DB 06"),
                             Block(150, {})})};
}

TArtSample IceDrawSample() {
  return {"sample.idf", Cat({HexBytes("04 31 2E 34 00 00 00 00 4F 00 00 00"),
                             HexBytes("01 00 03 00 DB 0C  20 90  01 00 4C 00 20 00"),
                             FullBlockFont(), Block(48, {{29, 0x3F}, {36, 0x3F}})})};
}

TArtSample TundraSample() {
  return {"sample.tnd", Cat({Text("\x18TUNDRA24"), HexBytes("06 DB 00 FF 00 00 00 00 00 FF  41"),
                             HexBytes("04 20 00 00 FF 00")})};
}

TArtSample PcBoardSample() {
  return {"sample.pcb", Text("@X1F\xdb@X9C \r\nx@USER@@POS:12@@X0AB@CL")};
}

std::vector<std::string> ArtRows(const TArtPicture& picture) {
  std::vector<std::string> rows;
  for (int y = 0; y < picture.Rows(); ++y) {
    std::string chars, attrs;
    for (const TScreenChar& cell : picture.Row(y)) {
      chars += cell.Ch ? static_cast<char>(cell.Ch) : '.';
      char hex[3];
      std::snprintf(hex, sizeof hex, "%02x", cell.Attr);
      attrs += hex;
    }
    // Trailing cells never written are left out.
    while (!chars.empty() && chars.back() == '.' && attrs.ends_with("00")) {
      chars.pop_back();
      attrs.resize(attrs.size() - 2);
    }
    rows.push_back(chars + " " + attrs);
  }
  return rows;
}
