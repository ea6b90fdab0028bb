#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <cerrno>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "ansi/AnsiInterpreter.h"
#include "ansi/AnsiText.h"
#include "ansi/AnsiWriter.h"
#include "console/TextConsole.h"
#include "support/TempDir.h"
#include "support/Unprivileged.h"

namespace {

const std::string E = "\x1b";

// A screen of the given mode whose every cell is character 0 in attribute 0.
TCellGrid BlankScreen(uint8_t mode) {
  const TTextConsole con(mode);
  TCellGrid screen;
  con.SaveScreen(screen);
  screen.Fill(TScreenChar{});
  return screen;
}

// Cell (x, y) of a screen's 1-based rows and columns.
TScreenChar& Cell(TCellGrid& screen, int x, int y) {
  return screen.Row(y - 1)[x - 1];
}

// The bytes of one saved row of 79 zero cells.
std::string ZeroRun(size_t n) {
  return std::string(n, '\0');
}

TEST(AnsiWriter, EscapesAtEachChangeOfAttribute) {
  // The second cell after a first cell in attribute `before`.
  const struct {
    uint8_t Before, Attr;
    std::string Escapes;
  } cases[] = {
      {0x00, 0x00, ""},
      {0x00, 0x07, E + "[0;37m" + E + "[40m" + E + "[40m"},
      {0x07, 0x0F, E + "[1;37m" + E + "[40m"},
      {0x07, 0x1E, E + "[1;33m" + E + "[44m"},
      {0x07, 0x61, E + "[0;34m" + E + "[43m" + E + "[43m"},
      {0x07, 0x94, E + "[0;31m" + E + "[44m" + E + "[44;5m"},  // a bright background is blink
      {0x07, 0x9C, E + "[1;31m" + E + "[44;5m"},
      {0x9C, 0x1C, E + "[0m" + E + "[1;31m" + E + "[44m"},  // blink ends with a reset
  };
  for (const auto& c : cases) {
    TCellGrid screen = BlankScreen(1);
    Cell(screen, 1, 2) = {'a', c.Before};
    Cell(screen, 2, 2) = {'b', c.Attr};
    const std::string bytes = AnsiScreenBytes(screen);
    const std::string first = c.Before ? AnsiColorCode(c.Before & 15, c.Before) +
                                             AnsiColorCode(16 + (c.Before >> 4), c.Before)
                                       : "";
    const std::string expectStart = first + "a" + c.Escapes + "b";
    EXPECT_EQ(bytes.substr(0, expectStart.size()), expectStart) << int(c.Attr);
  }
}

TEST(AnsiWriter, WritesTheWorkingAreaByteForByte) {
  TCellGrid screen = BlankScreen(1);
  for (int x = 1; x <= 80; ++x) {
    Cell(screen, x, 1) = {'1', 0x4F};   // row 1 is never written
    Cell(screen, x, 22) = {'2', 0x4F};  // nor row 22
  }
  Cell(screen, 1, 2) = {'S', 0x00};  // attribute 0 first: no escape at the start
  Cell(screen, 2, 2) = {27, 0x00};
  Cell(screen, 3, 2) = {13, 0x00};
  Cell(screen, 4, 2) = {10, 0x00};
  Cell(screen, 5, 2) = {26, 0x00};
  Cell(screen, 80, 2) = {'!', 0x1F};  // column 80 is never written
  Cell(screen, 79, 3) = {'x', 0x1E};  // the same attribute on across the row end
  Cell(screen, 1, 4) = {'y', 0x1E};
  Cell(screen, 79, 21) = {'z', 0x1E};

  std::string want = std::string("S\x1b\r\n\x1a") + ZeroRun(74) + "\r\n";
  want += ZeroRun(78) + E + "[1;33m" + E + "[44m" + "x\r\n";
  want += "y" + E + "[0;30m" + E + "[40m" + E + "[40m" + ZeroRun(78) + "\r\n";
  for (int y = 5; y <= 20; ++y) want += ZeroRun(79) + "\r\n";
  want += ZeroRun(78) + E + "[1;33m" + E + "[44m" + "z";  // no line end, no 26, no reset
  EXPECT_EQ(AnsiScreenBytes(screen), want);

  // The bigger screens save the same rectangle.
  for (const uint8_t mode : {2, 3}) {
    TCellGrid big = BlankScreen(mode);
    for (int y = 1; y <= 22; ++y)
      for (int x = 1; x <= 80; ++x) Cell(big, x, y) = Cell(screen, x, y);
    Cell(big, big.Width(), 30) = {'q', 0x70};  // below and beside the rectangle
    EXPECT_EQ(AnsiScreenBytes(big), want) << "mode " << int(mode);
  }
}

TEST(AnsiWriter, SaveWritesTheFileAndReportsFailures) {
  const TTempDir dir;
  TCellGrid screen = BlankScreen(1);
  Cell(screen, 1, 2) = {'A', 0x1E};
  int error = -1;
  const std::string path = dir.File("screen.ans");
  dir.Write("screen.ans", std::string(5000, 'o'));  // an existing file is replaced whole
  ASSERT_TRUE(SaveAnsi(path, screen, error));
  EXPECT_EQ(error, 0);
  const std::string bytes = AnsiScreenBytes(screen);
  EXPECT_EQ(ReadFileBytes(path), std::vector<uint8_t>(bytes.begin(), bytes.end()));

  EXPECT_TRUE(SaveAnsi("", screen, error)) << "an empty name writes nothing";
  EXPECT_FALSE(SaveAnsi(dir.File("no/such/dir.ans"), screen, error));
  EXPECT_EQ(error, ENOENT);
  EXPECT_FALSE(SaveAnsi(dir.Path().string(), screen, error));
  EXPECT_EQ(error, EISDIR);

  // A full disk (a file-size limit, in a child) leaves the old picture whole.
  std::string reason;
  const int code = RunInChild(
      [&] {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{100, RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &limit);
        int e = 0;
        return !SaveAnsi(path, screen, e) && e == EFBIG ? 0 : 1;
      },
      false, &reason);
  ASSERT_GE(code, 0) << reason;
  EXPECT_EQ(code, 0);
  EXPECT_EQ(ReadFileBytes(path), std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

// Whatever the writer can express comes back from the interpreter: every
// character but the ones it acts on, every attribute with a dark background.
TEST(AnsiWriter, RoundTripThroughTheInterpreter) {
  TCellGrid screen = BlankScreen(1);
  int i = 0;
  for (int y = 2; y <= 21; ++y) {
    for (int x = 1; x <= 79; ++x, ++i) {
      uint8_t ch = static_cast<uint8_t>(i * 7 + 1);
      if (ch == 9 || ch == 10 || ch == 12 || ch == 13 || ch == 26 || ch == 27) ch = '#';
      // Runs of a few cells per attribute, through all 128 with a dark background.
      Cell(screen, x, y) = {ch, static_cast<uint8_t>((i / 3 * 37 + 0x1E) & 0x7F)};
    }
  }
  Cell(screen, 1, 2).Attr =
      0x1E;  // attribute 0 in the first cell would need an escape nobody writes
  const std::string bytes = AnsiScreenBytes(screen);
  auto ansi = std::make_unique<TMsgBaseAnsi>();
  ansi->ProcessBuffer({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
  ASSERT_EQ(ansi->Lines(), 20);
  int differences = 0;
  for (int y = 1; y <= 20; ++y) {
    for (int x = 1; x <= 79; ++x) {
      if (ansi->Picture().At(x - 1, y - 1) != Cell(screen, x, y + 1) && differences++ < 5)
        ADD_FAILURE() << "cell " << x << "," << y + 1;
    }
    EXPECT_EQ(ansi->Picture().At(79, y - 1), TScreenChar{}) << "column 80 stays empty";
  }
  EXPECT_EQ(differences, 0);
}

// A bright background is saved as blink, by the S command and by render
// --ans, and comes back: every attribute, after predecessors of every kind.
TEST(AnsiWriter, BrightBackgroundsComeBackThroughTheInterpreter) {
  TCellGrid screen = BlankScreen(1);
  for (int y = 2, i = 0; y <= 21; ++y)
    for (int x = 1; x <= 79; ++x, ++i)
      Cell(screen, x, y) = {'#', static_cast<uint8_t>(i * 37 + 0x9E)};
  // 79 columns: a full row of 80 would wrap before its CR LF.
  TCellGrid narrow(79, 25);
  narrow.Paste(screen, 0, 0);
  const struct {
    const char* Writer;
    std::string Bytes;
  } saved[] = {{"S", AnsiScreenBytes(screen)},
               {"render --ans", CellRowsToAnsi(TGridRows(narrow, 1, 20), TAnsiForm::Cp437)}};
  for (const auto& s : saved) {
    auto ansi = std::make_unique<TMsgBaseAnsi>();
    ansi->ProcessBuffer({reinterpret_cast<const uint8_t*>(s.Bytes.data()), s.Bytes.size()});
    int differences = 0;
    for (int y = 1; y <= 20; ++y)
      for (int x = 1; x <= 79; ++x)
        differences += ansi->Picture().At(x - 1, y - 1) != Cell(screen, x, y + 1);
    EXPECT_EQ(differences, 0) << s.Writer;
  }
}

}  // namespace
