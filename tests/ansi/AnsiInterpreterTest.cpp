#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ansi/AnsiFile.h"
#include "ansi/AnsiInterpreter.h"
#include "ansi/ArtFormat.h"
#include "support/ArtSamples.h"
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

// Cell (x, y) of the picture, counted from 1 as the cursor is.
TScreenChar Cell(const TMsgBaseAnsi& ansi, int x, int y) {
  return ansi.Picture().At(x - 1, y - 1);
}

// Rows 1..Lines as text: character 0 as '.', trailing zero cells left out.
std::vector<std::string> Picture(const TMsgBaseAnsi& ansi) {
  std::vector<std::string> rows;
  for (int y = 1; y <= ansi.Lines(); ++y) {
    std::string row;
    for (int x = 1; x <= ansi.Width(); ++x)
      row += Cell(ansi, x, y).Ch ? static_cast<char>(Cell(ansi, x, y).Ch) : '.';
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
    {"position takes its row as a byte", kEsc + "[258;3HX", {"", "..X"}, 4, 2},
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
    {"intermediate bytes and a final byte make a sequence that changes nothing",
     "A" + kEsc + "[0;1 D" + kEsc + "[31 !BC",
     {"AC"},
     3,
     1},
    {"private parameters", "A" + kEsc + "[=5h" + kEsc + "[<1;2mB", {"AB"}, 3, 1},
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
    {"a cursor moved down adds no row until something is printed",
     "A" + kEsc + "[5B\r\n" + kEsc + "[3C",
     {"A"},
     4,
     7},
    {"a clear screen drops the rows", "A\r\nB" + kEsc + "[2J", {""}, 1, 1},
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
    // Reverse video: the background in front, bright as the foreground was.
    {"\x1b[1;33;44m\x1b[7mX", 0x69},
    {"\x1b[5;44m\x1b[7mX", 0x79},  // a blinking (bright) background comes to the front bright
    {"\x1b[1;5;31;42;7mX", 0x4A},
    {"\x1b[7m\x1b[31mX", 0x40},  // a mode: colours set while it is on show reversed
    {"\x1b[7;7mX", 0x70},
    {"\x1b[7m\x1b[27mX", 0x07},
    {"\x1b[7m\x1b[0mX", 0x07},
    {"\x1b[5;41mX", 0xC7},  // blink stays under a new background
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
    EXPECT_EQ(Cell(*ansi, ansi->CurX - 1, 1).Ch, 'X');
    EXPECT_EQ(Cell(*ansi, ansi->CurX - 1, 1).Attr, c.Attr);
  }
  // Without iCE colours bit 7 is blink, never a colour: reverse video keeps it
  // as blink and brings the background to the front dark (bright only as the
  // foreground was).
  const TAttrCase blinkCases[] = {
      {"\x1b[5;44m\x1b[7mX", 0xF1},    {"\x1b[1;5;44m\x1b[7mX", 0xF9}, {"\x1b[7m\x1b[5;31mX", 0xC0},
      {"\x1b[1;33;44m\x1b[7mX", 0x69}, {"\x1b[5;41mX", 0xC7},
  };
  for (const TAttrCase& c : blinkCases) {
    SCOPED_TRACE(c.Input);
    auto ansi = std::make_unique<TMsgBaseAnsi>();
    ansi->SetIce(false);
    Feed(*ansi, c.Input);
    EXPECT_EQ(Cell(*ansi, ansi->CurX - 1, 1).Attr, c.Attr);
  }
  // Erased cells take the attribute in force.
  auto erased = std::make_unique<TMsgBaseAnsi>();
  Feed(*erased, "\x1b[44m\x1b[K");
  EXPECT_EQ(Cell(*erased, 80, 1), (TScreenChar{' ', 0x17}));
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

TEST(AnsiInterpreter, ParameterTextsKeepWithinTheirLimits) {
  std::string params;
  for (int i = 0; i < 64; ++i) params += "0;";
  // 31 (red) is the 65th parameter; the 17th digit and what follows it go.
  const std::string input = "\x1b[" + params + "31mX\x1b[" + std::string(17, '0') + "31mY\x1b[" +
                            params + std::string(20000, '9');
  auto whole = std::make_unique<TMsgBaseAnsi>(), bytewise = std::make_unique<TMsgBaseAnsi>();
  Feed(*whole, input);
  Feed(*bytewise, input, std::vector<size_t>(input.size(), 1));
  EXPECT_EQ(Cell(*whole, 1, 1).Attr, 0x07);
  EXPECT_EQ(Cell(*whole, 2, 1).Attr, 0x07);
  EXPECT_EQ(whole->PendingParams().size(), 63 * 2 + 1);
  EXPECT_TRUE(SameState(*whole, *bytewise));
}

TEST(AnsiInterpreter, StopsAtTheLastRow) {
  auto ansi = std::make_unique<TMsgBaseAnsi>();
  const std::string feeds(kAnsiRows - 1, '\n');
  EXPECT_FALSE(Feed(*ansi, feeds + "last"));
  EXPECT_EQ(ansi->CurY, kAnsiRows);
  // Past column 80 of the last row, characters overwrite the last cell.
  EXPECT_FALSE(Feed(*ansi, std::string(80, 'z') + "XY"));
  EXPECT_EQ(Cell(*ansi, 80, kAnsiRows).Ch, 'Y');
  EXPECT_EQ(ansi->CurX, 80);
  EXPECT_TRUE(Feed(*ansi, "\r\nnever"));
  EXPECT_EQ(ansi->Lines(), kAnsiRows);
  EXPECT_EQ(Cell(*ansi, 1, kAnsiRows).Ch, 'l');

  // Cursor movements stay inside the picture; a saved row is kept as a byte.
  ansi->Clear();
  Feed(*ansi, feeds + "\x1b[300B\x1b[200C\x1b[s" + "\x1b[H\x1b[uQ");
  EXPECT_EQ(Cell(*ansi, 80, kAnsiRows % 256).Ch, 'Q');
  ansi->Clear();
  Feed(*ansi, std::string(255, '\n') + "\x1b[s\x1b[5B\x1b[uQ");
  EXPECT_EQ(Cell(*ansi, 1, 1).Ch, 'Q') << "row 256 is saved as 0 and restored to row 1";
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
    EXPECT_EQ(Cell(*whole, 41, 12).Ch, 'Z');
  }
  auto missing = std::make_unique<TMsgBaseAnsi>();
  int error = 0;
  EXPECT_FALSE(LoadAnsiFile(dir.File("absent.ans"), *missing, error));
  EXPECT_NE(error, 0);
}

// Pictures of other widths than 80: from the caller, from a SAUCE record of
// ANSI art (read as a file, or through ReadArt), and the widest one.
TEST(AnsiInterpreter, DrawsAtTheWidthItIsGiven) {
  TMsgBaseAnsi narrow(40);
  Feed(narrow, std::string(45, 'n') + "\tT");
  EXPECT_EQ(Picture(narrow), (std::vector<std::string>{std::string(40, 'n'), "nnnnn........T"}));

  TMsgBaseAnsi wide(kArtMaxWidth);
  EXPECT_EQ(wide.LastRow(), 2048) << "a picture holds at most kArtMaxCells";
  Feed(wide, "\x1b[1;1000HA\x1b[2;2000HB" + std::string(30, 'w'));
  EXPECT_EQ(Cell(wide, 1000, 1).Ch, 'A');
  EXPECT_EQ(Cell(wide, 1024, 2).Ch, 'B') << "a column past the edge is the last one";
  EXPECT_EQ(Cell(wide, 30, 3).Ch, 'w');

  const TTempDir dir;
  const std::vector<uint8_t> art = Cat({HexBytes("41 42 43"), SauceOf(1, 1, 132, 0)});
  const std::string path = dir.Write("wide.ans", art);
  TMsgBaseAnsi ansi;
  std::optional<TSauce> record;
  int error = 0;
  ASSERT_TRUE(LoadAnsiFile(path, ansi, error, record));
  EXPECT_EQ(ansi.Width(), 132);
  ASSERT_TRUE(LoadAnsiFile(path, ansi, error, record, 100));
  EXPECT_EQ(ansi.Width(), 100) << "the caller's width wins";
  EXPECT_EQ(Cell(ansi, 3, 1).Ch, 'C');
  ASSERT_TRUE(LoadAnsiFile(dir.Write("plain.ans", "AB"), ansi, error, record));
  EXPECT_EQ(ansi.Width(), 80);

  const struct {
    std::vector<uint8_t> Record;
    int Width;
  } records[] = {{SauceOf(1, 1, 160, 0), 160},
                 {SauceOf(1, 0, 40, 0), 40},
                 {SauceOf(1, 1, 0, 0), 80},
                 {SauceOf(1, 3, 640, 0), 80},  // RIPscript pixels
                 {SauceOf(1, 1, 4000, 0), 1024}};
  for (const auto& r : records) {
    const TArtRead read = ReadArt(Cat({HexBytes("41 1A"), r.Record}), "art.ans");
    EXPECT_EQ(read.Picture.Width(), r.Width);
    EXPECT_EQ(read.Picture.At(0, 0).Ch, 'A');
    EXPECT_EQ(read.Picture.Rows(), 1);
    EXPECT_EQ(read.Problem == TArtProblem::TooLarge, r.Width == kArtMaxWidth) << read.Message;
  }
}

// Random streams rich in what the fast path decides (runs of characters
// around row ends, line ends, control bytes, sequences, the last row) give
// the same picture and state whole, a byte at a time (which never takes the
// fast path) and in random chunks, at random widths.
TEST(AnsiInterpreter, RunsOfCharactersGiveTheByteAtATimePicture) {
  std::mt19937 random(2024);
  const auto below = [&random](uint32_t n) { return static_cast<uint32_t>(random() % n); };
  const std::string pieces[] = {"\r\n",
                                "\n",
                                "\r",
                                "\t",
                                "\x1a",
                                std::string(1, '\0'),
                                "\x80\xff\x9b",
                                "\x1b[1;33;44m",
                                "\x1b[7m",
                                "\x1b[0m",
                                "\x1b[;1m",
                                "\x1b[0;1;5;7;40;37;44m",
                                "\x1b[38;5;196m",
                                "\x1b[5C",
                                "\x1b[3A",
                                "\x1b[K",
                                "\x1b[2J",
                                "\x1b[s",
                                "\x1b[u",
                                "\x1b[12;70H",
                                "\x1b[255B",
                                "\x1b]0;t\a",
                                "\x1b"};
  std::string toTheLastRow;
  for (int k = 0; k < 20; ++k) toTheLastRow += "\x1b[255B";
  for (int round = 0; round < 400; ++round) {
    const int width = round % 4 == 0 ? 80 : 1 + static_cast<int>(below(round % 4 == 1 ? 24 : 300));
    std::string input;
    while (input.size() < 3000) {
      if (below(3) == 0) {
        // The end-of-file byte seldom: it ends the reading.
        const std::string& piece = pieces[below(std::size(pieces))];
        if (piece != "\x1a" || below(10) == 0) input += piece;
        if (below(100) == 0) input += toTheLastRow;
      } else {
        const uint32_t run = below(4) == 0 ? 60 + below(100) : below(24);
        for (uint32_t k = 0; k < run; ++k) input += static_cast<char>(28 + below(228));
      }
    }
    SCOPED_TRACE("round " + std::to_string(round) + ", width " + std::to_string(width));
    TMsgBaseAnsi whole(width), single(width), chunked(width);
    const bool stopped = Feed(whole, input);
    EXPECT_EQ(Feed(single, input, std::vector<size_t>(input.size(), 1)), stopped);
    std::vector<size_t> chunks;
    for (size_t at = 0; at < input.size(); at += chunks.back()) chunks.push_back(1 + below(40));
    EXPECT_EQ(Feed(chunked, input, chunks), stopped);
    EXPECT_TRUE(SameState(whole, single));
    EXPECT_TRUE(SameState(whole, chunked));
    EXPECT_LE(whole.Picture().Rows(), whole.LastRow());
  }
}

}  // namespace
