#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ansi/AnsiFile.h"
#include "ansi/AnsiInterpreter.h"
#include "support/TempDir.h"

namespace {

std::span<const uint8_t> Bytes(std::string_view s) {
  return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

// Feeds input in chunks of the given sizes (the rest in one piece) and answers
// whether any call asked to stop, as a reader would stop at it.
bool Feed(TMsgBaseAnsi& ansi, std::string_view input, const std::vector<size_t>& chunks = {}) {
  for (const size_t size : chunks) {
    const size_t take = std::min(size, input.size());
    if (ansi.ProcessBuffer(Bytes(input.substr(0, take)))) return true;
    input.remove_prefix(take);
  }
  return ansi.ProcessBuffer(Bytes(input));
}

// Rows 1..Lines as text: character 0 as '.', trailing zero cells left out.
std::vector<std::string> Picture(const TMsgBaseAnsi& ansi) {
  std::vector<std::string> rows;
  for (int y = 1; y <= ansi.Lines; ++y) {
    std::string row;
    for (int x = 1; x <= kAnsiCols; ++x)
      row += ansi.Image[y][x].Ch ? static_cast<char>(ansi.Image[y][x].Ch) : '.';
    row.erase(row.find_last_not_of('.') + 1);
    rows.push_back(row);
  }
  return rows;
}

// The picture, the cursor and the state inside a sequence.
bool SameState(const TMsgBaseAnsi& a, const TMsgBaseAnsi& b) {
  return a == b;
}

const std::string k80(80, 'a');
const std::string kEsc = "\x1b";

struct TPictureCase {
  const char* Name;
  std::string Input;
  std::vector<std::string> Rows;
  int X, Y;  // the cursor afterwards
};

const TPictureCase kPictureCases[] = {
    {"line feed returns to column 1", "AB\r\nC", {"AB", "C"}, 2, 2},
    {"final line feed adds no row", "AB\r\n", {"AB"}, 1, 2},
    {"a lone line feed also returns", "AB\nC", {"AB", "C"}, 2, 2},
    {"80 characters then CR LF leave an empty row", k80 + "\r\nX", {k80, "", "X"}, 2, 3},
    {"cursor position", kEsc + "[3;10HX" + kEsc + "[HY", {"Y", "", ".........X"}, 2, 1},
    {"cursor position f, 0 counts as 1", kEsc + "[0;0fZ", {"Z"}, 2, 1},
    {"forward wraps onto the next row",
     std::string(69, 'b') + kEsc + "[20CX",
     {std::string(69, 'b'), ".........X"},
     11,
     2},
    {"forward without a number moves 1", "A" + kEsc + "[CB", {"A.B"}, 4, 1},
    {"back stops at column 1", "ABC" + kEsc + "[9DX", {"XBC"}, 2, 1},
    {"up stops at row 1", "\n\nA" + kEsc + "[7AB", {".B", "", "A"}, 3, 1},
    {"down takes its count as a byte", "A" + kEsc + "[257BB", {"A", ".B"}, 3, 2},
    {"position takes its numbers as bytes", kEsc + "[258;259HX", {"", "..X"}, 4, 2},
    {"erase to the end of the row keeps the cursor",
     std::string(74, 'c') + kEsc + "[KX",
     {std::string(74, 'c') + "X     "},
     76,
     1},
    {"clear screen empties the picture and homes; modes change nothing",
     "A\r\nBC" + kEsc + "[2J" + kEsc + "[?7hD",
     {"D"},
     2,
     1},
    {"erase in display other than 2 changes nothing",
     "A" + kEsc + "[J" + kEsc + "[1JB",
     {"AB"},
     3,
     1},
    {"ESC and a byte other than [ vanish", "A" + kEsc + "xB" + kEsc + kEsc + "[C", {"AB[C"}, 5, 1},
    {"a blank ends a sequence and is dropped", "A" + kEsc + "[31 B", {"AB"}, 3, 1},
    {"TAB moves 8 columns and stops at 80",
     "A\tB" + std::string(67, 'd') + "\tE",
     {"A........B" + std::string(67, 'd') + "..E"},
     1,
     2},
    {"form feed is drawn and moves on", "A\fB", {"A\fB"}, 4, 1},
    {"control strings are not drawn, line ends in them not acted on",
     "A" + kEsc + "Pq#1;2\r\nabc" + kEsc + "\\B" + kEsc + "_apc" + kEsc + "\\" + kEsc + "^pm" +
         kEsc + "\\" + kEsc + "Xsos" + kEsc + "\\C",
     {"ABC"},
     4,
     1},
    {"BEL ends an OSC string only",
     "A" + kEsc + "]0;title\aB" + kEsc + "Pdcs\aC" + kEsc + "\\D",
     {"ABD"},
     4,
     1},
    {"an ESC in a control string starts the next sequence",
     "A" + kEsc + "]unended" + kEsc + "[3CB",
     {"A...B"},
     6,
     1},
    {"the end-of-file byte also ends a control string",
     "A" + kEsc +
         "Pdata\x1a"
         "B",
     {"A"},
     2,
     1},
    {"extended colours take their numbers along",
     "A" + kEsc + "[38:2::255:0:0;48;5;226mB" + kEsc + "[38;2;1;2;3mC",
     {"ABC"},
     4,
     1},
    {"the end-of-file byte stops reading",
     "A\x1a"
     "B\r\nC",
     {"A"},
     2,
     1},
    {"save and restore", "AB" + kEsc + "[s\r\nCD" + kEsc + "[uE", {"ABE", "CD"}, 4, 1},
    {"restore before any save goes to 1;1", "\n\nAB" + kEsc + "[uX", {"X", "", "AB"}, 2, 1},
    {"line feeds inside a sequence still act",
     "A" + kEsc + "[4\r\n;2HX",
     {"A", "", "", ".X"},
     3,
     4},
    {"control bytes other than 9, 10, 12, 13, 26, 27 are drawn",
     std::string("\x01\x08\x0b\x7f\xff"),
     {"\x01\x08\x0b\x7f\xff"},
     6,
     1},
};

TEST(AnsiInterpreter, DrawsTheRightCellsInAnyChunking) {
  for (const TPictureCase& c : kPictureCases) {
    SCOPED_TRACE(c.Name);
    auto whole = std::make_unique<TMsgBaseAnsi>();
    Feed(*whole, c.Input);
    EXPECT_EQ(Picture(*whole), c.Rows);
    EXPECT_EQ(whole->CurX, c.X);
    EXPECT_EQ(whole->CurY, c.Y);

    // Cut anywhere, and byte by byte, the result is the same.
    auto piece = std::make_unique<TMsgBaseAnsi>();
    for (size_t cut = 0; cut <= c.Input.size(); ++cut) {
      piece->Clear();
      Feed(*piece, c.Input, {cut});
      EXPECT_TRUE(SameState(*whole, *piece)) << "cut after " << cut << " bytes";
    }
    piece->Clear();
    Feed(*piece, c.Input, std::vector<size_t>(c.Input.size(), 1));
    EXPECT_TRUE(SameState(*whole, *piece)) << "byte by byte";
  }
}

struct TAttrCase {
  const char* Input;  // ends in the character whose attribute is checked
  uint8_t Attr;
};

const TAttrCase kAttrCases[] = {
    {"X", 0x07},
    {"\x1b[1;33;44mX", 0x1E},
    {"\x1b[1;33;44m\x1b[0mX", 0x07},
    {"\x1b[1;33;44m\x1b[7mX", 0x61},  // bright bit dropped, then colours swapped
    {"\x1b[5;41mX", 0xC7},            // blink stays under a new background
    {"\x1b[41;5mX", 0xC7},
    {"\x1b[1;31mX", 0x0C},          // bright kept under a new foreground
    {"\x1b[36;46mX", 0x33},         // ANSI cyan is PC 3
    {"\x1b[34;43mX", 0x61},         // blue 4 -> 1, yellow 3 -> brown 6
    {"\x1b[mX", 0x07},              // nothing to apply
    {"\x1b[32;2;38;99;4mX", 0x02},  // unknown values ignored
    {"\x1b[31;;1mX", 0x0F},         // an empty value is 0, a reset
    {"\x1b[44m\x1b[KX", 0x17},
    {"\x1b[44m\x1b[2JX", 0x17},      // a clear screen keeps the colours
    {"\x1b[5;41;94mX", 0xC9},        // bright foregrounds as terminals number them
    {"\x1b[1;33;101mX", 0xCE},       // and bright backgrounds
    {"\x1b[97;40m\x1b[31mX", 0x0C},  // a dark colour after them stays bright, as after 1
    // xterm colours 0-15 are the ANSI colours, the rest the nearest of the 16.
    {"\x1b[38;5;4mX", 0x01},
    {"\x1b[38;5;9mX", 0x0C},
    {"\x1b[38:5:10mX", 0x0A},
    {"\x1b[48;5;226mX", 0xE7},       // 255,255,0: yellow, a bright background
    {"\x1b[48;5;196mX", 0x47},       // 255,0,0 is nearer to 170,0,0 than to 255,85,85
    {"\x1b[5m\x1b[48;5;1mX", 0x47},  // an exact dark background ends blink
    {"\x1b[1;38;5;2;44mX", 0x12},    // an exact dark foreground ends bright
    {"\x1b[38;2;255;255;255mX", 0x0F},
    {"\x1b[48:2::0:0:170mX", 0x17},  // with the colour space field
    {"\x1b[48:2:0:170:0mX", 0x27},   // without it
    {"\x1b[38;5mX", 0x07},           // no colour number: nothing
    {"\x1b[38;5;256;31mX", 0x04},    // no such colour; what follows still acts
    {"\x1b[4:3;31mX", 0x04},         // sub-parameters of other renditions dropped
};

TEST(AnsiInterpreter, ColoursTheCells) {
  for (const TAttrCase& c : kAttrCases) {
    SCOPED_TRACE(c.Input);
    auto ansi = std::make_unique<TMsgBaseAnsi>();
    const std::string input = c.Input;
    Feed(*ansi, input);
    EXPECT_EQ(ansi->Image[1][ansi->CurX - 1].Ch, 'X');
    EXPECT_EQ(ansi->Image[1][ansi->CurX - 1].Attr, c.Attr);
  }
  // Erased cells take the attribute in force.
  auto erased = std::make_unique<TMsgBaseAnsi>();
  Feed(*erased, "\x1b[44m\x1b[K");
  EXPECT_EQ(erased->Image[1][80], (TScreenChar{' ', 0x17}));
}

TEST(AnsiInterpreter, NextParamTakesNumbersOffTheFront) {
  const struct {
    std::string_view Params;
    int32_t Value;
    std::string_view Rest;
  } cases[] = {{"12;34", 12, "34"}, {"34", 34, ""},
               {";5", 0, "5"},      {"", 0, ""},
               {"?7", 0, "7"},      {"99999999999;1", std::numeric_limits<int32_t>::max(), "1"}};
  for (const auto& c : cases) {
    std::string_view params = c.Params;
    EXPECT_EQ(TMsgBaseAnsi::NextParam(params), c.Value) << c.Params;
    EXPECT_EQ(params, c.Rest) << c.Params;
  }
}

TEST(AnsiInterpreter, StopsAtTheLastRow) {
  auto ansi = std::make_unique<TMsgBaseAnsi>();
  const std::string feeds(kAnsiRows - 1, '\n');
  EXPECT_FALSE(Feed(*ansi, feeds + "last"));
  EXPECT_EQ(ansi->CurY, kAnsiRows);
  // Past column 80 of the last row, characters overwrite the last cell.
  EXPECT_FALSE(Feed(*ansi, std::string(80, 'z') + "XY"));
  EXPECT_EQ(ansi->Image[kAnsiRows][80].Ch, 'Y');
  EXPECT_EQ(ansi->CurX, 80);
  EXPECT_TRUE(Feed(*ansi, "\r\nnever"));
  EXPECT_EQ(ansi->Lines, kAnsiRows);
  EXPECT_EQ(ansi->Image[kAnsiRows][1].Ch, 'l');

  // Cursor movements stay inside the picture; a saved row is kept as a byte.
  ansi->Clear();
  Feed(*ansi, feeds + "\x1b[300B\x1b[200C\x1b[s" + "\x1b[H\x1b[uQ");
  EXPECT_EQ(ansi->Image[kAnsiRows % 256][80].Ch, 'Q');
  ansi->Clear();
  Feed(*ansi, std::string(255, '\n') + "\x1b[s\x1b[5B\x1b[uQ");
  EXPECT_EQ(ansi->Image[1][1].Ch, 'Q') << "row 256 is saved as 0 and restored to row 1";
}

// A file read in 4096-byte chunks gives the picture of the whole file, also
// when a control sequence is cut by a chunk boundary.
TEST(AnsiInterpreter, FileChunksGiveTheSamePicture) {
  const TTempDir dir;
  for (const size_t before : {kAnsiReadChunk - 1, kAnsiReadChunk - 3, kAnsiReadChunk - 5}) {
    std::string art;
    for (int i = 0; art.size() < before; ++i)
      art += i % 80 == 79 ? std::string("\r\n") : std::string(1, static_cast<char>('A' + i % 26));
    art.resize(before);
    art += "\x1b[1;33;44mX\x1b[12;40HY\x1b[s\r\n\x1b[uZ";
    const std::string path = dir.Write("chunked.ans", art);

    auto fromFile = std::make_unique<TMsgBaseAnsi>();
    int error = -1;
    ASSERT_TRUE(LoadAnsiFile(path, *fromFile, error));
    EXPECT_EQ(error, 0);
    auto whole = std::make_unique<TMsgBaseAnsi>();
    Feed(*whole, art);
    EXPECT_TRUE(SameState(*whole, *fromFile)) << "sequence starting at " << before;
    EXPECT_EQ(whole->Image[12][41].Ch, 'Z');
  }
  auto missing = std::make_unique<TMsgBaseAnsi>();
  int error = 0;
  EXPECT_FALSE(LoadAnsiFile(dir.File("absent.ans"), *missing, error));
  EXPECT_NE(error, 0);
}

}  // namespace
