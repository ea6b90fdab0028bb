#include <gtest/gtest.h>
#include <sys/stat.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "ansi/AnsiArticle.h"
#include "ansi/ArtFormat.h"
#include "screens/AnsiViewer.h"
#include "support/ArtSamples.h"
#include "support/ConsoleTestSupport.h"
#include "support/TempDir.h"
#include "support/WaitingConsole.h"

namespace {

// Rows "L001".."Lnnn", one per line.
std::string NumberedRows(int n) {
  std::string art;
  for (int i = 1; i <= n; ++i) {
    const std::string number = std::to_string(i);
    art += 'L';
    art.append(3 - number.size(), '0');
    art += number;
    if (i < n) art += "\r\n";
  }
  return art;
}

class AnsiViewerTest : public ::testing::Test {
 protected:
  void TearDown() override {
    EXPECT_EQ(Con.Overruns, 0) << "the viewer waited for more keys than the script held";
    EXPECT_TRUE(Con.Steps.empty() && Con.KeyBufferEmpty()) << "the viewer ended early";
  }

  void Step(std::initializer_list<int> keys) { Con.Steps.emplace_back(keys.begin(), keys.end()); }
  void Step(std::string_view keys) { Con.Steps.emplace_back(keys.begin(), keys.end()); }
  std::string Show(std::string_view art) {
    const std::string path = Dir.Write("art.ans", art);
    ShowAnsiFile(Con, path, 1, 24, [this] { return FontChars; });
    return path;
  }

  // The image row on the first screen row at wait i, and the filled blocks of the bar.
  int TopLine(size_t i) const { return std::stoi(ShotText(Con.Waits.at(i), 1).substr(1, 3)); }
  int Filled(size_t i) const {
    const std::string bar = ShotAttrs(Con.Waits.at(i), 25).substr(4, 150);
    int filled = 0;
    for (size_t k = 0; k < bar.size(); k += 2) filled += bar.substr(k, 2) == "07";
    return filled;
  }
  std::string Text(size_t i, int y) const { return ShotText(Con.Waits.at(i), y); }

  TWaitingConsole Con;
  TTempDir Dir;
  std::string FontChars = "ABC";
};

struct TPageStep {
  std::vector<int> Keys;  // pressed before the screen is looked at
  int Top;
  int Filled;  // of 75 blocks
};

TEST_F(AnsiViewerTest, PagesThroughFiftyRowsByTheRowsShown) {
  // Rows 1..22 show the picture (23 and 24 the character list): a page is 22 rows.
  const TPageStep steps[] = {
      {{}, 1, 33},                          // the last row of the page is 22: 44 percent
      {{0, 81}, 23, 66},                    // Page Down
      {{0, 81}, 29, 75},                    // 50 - 22 + 1
      {{0, 77}, 29, 75},                    // Right pages down too, and stops
      {{0, 71}, 1, 33},                     // Home
      {{0, 79}, 29, 75},                    // End
      {{0, 73}, 7, 42},                     // Page Up
      {{0, 75}, 1, 33},                     // Left pages up
      {{0, 73}, 1, 33},  {{0, 80}, 2, 34},  // Down: 23 of 50 is 34.5 blocks, halves to even
      {{0, 72}, 1, 33},                     // Up
      {{0, 72}, 1, 33},  {{'p'}, 23, 66},  {{'N'}, 29, 75},  // not at 100 percent yet: pages down
  };
  for (const TPageStep& s : steps)
    if (!s.Keys.empty()) Con.Steps.emplace_back(s.Keys.begin(), s.Keys.end());
  Step({0, 59});  // help
  Step({0, 80});  // closed with Down, whose second byte must not page on as "P"
  Step("\r");     // at 100 percent Enter leaves
  Show(NumberedRows(50));

  size_t wait = 0;
  for (const TPageStep& s : steps) {
    SCOPED_TRACE(testing::Message() << "after step " << wait);
    EXPECT_EQ(TopLine(wait), s.Top);
    EXPECT_EQ(Filled(wait), s.Filled);
    ++wait;
  }
  ASSERT_EQ(Con.Waits.size(), wait + 2);
  EXPECT_EQ(Text(wait, 2).substr(7, 4), "Help");
  // Every key, the sideways ones too; nothing is captured here, so no drag.
  EXPECT_EQ(Text(wait, 8).substr(9, 32), "Left, Right          Wide art: 8");
  EXPECT_EQ(Con.Waits[wait + 1].Cells, Con.Waits[wait - 1].Cells) << "the help box is gone";
}

TEST_F(AnsiViewerTest, SixteenRowsShowAllAtOnce) {
  Step({0, 80});
  Step({0, 79});
  Step({0, 81});
  Step("n");  // 100 percent: the first N leaves
  Show(NumberedRows(16));
  ASSERT_EQ(Con.Waits.size(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(TopLine(i), 1);
    EXPECT_EQ(Filled(i), 75);
  }
  EXPECT_EQ(Text(0, 16).substr(0, 4), "L016");
}

TEST_F(AnsiViewerTest, EnterLeavesAtTheEndOfMoreRowsThanSixteenBitsCount) {
  Step({0, 79});                                     // End
  Step("\r");                                        // 100 percent: Enter leaves
  const std::vector<uint8_t> cells(2 * 40000, 'x');  // 40,000 rows of one column
  ShowAnsiFile(Con, Dir.Write("tall.bin", Cat({cells, SauceOf(5, 0, 1, 0)})), 1, 24);
  ASSERT_EQ(Con.Waits.size(), 2u);
  EXPECT_EQ(Filled(1), 75);
}

TEST_F(AnsiViewerTest, DrawsCellsBlanksAndTheCharacterList) {
  FontChars = std::string(44, 'a') + std::string(50, 'b');
  for (int y = 1; y <= 25; ++y) Con.WriteXY(1, y, 0x70, std::string(80, '#'));  // the main screen
  Step("\x1b");
  Show("\x1b[1;33;44mHi\xff\x1b[0m\x1b[5CX\r\n\x08\x1b[44m\x1b[K");
  const TWaitShot& shot = Con.Waits.at(0);
  // 255 and 0 are blanks in their colours; 8 is a glyph, not a backspace.
  EXPECT_EQ(ShotText(shot, 1).substr(0, 10), "Hi      X ");
  EXPECT_EQ(ShotAttrs(shot, 1).substr(0, 20), "1e1e1e00000000000700");
  EXPECT_EQ(ShotText(shot, 2).substr(0, 3), "\x08  ");
  EXPECT_EQ(ShotAttrs(shot, 2).substr(0, 6), "071717");
  // Rows below the art are blank in light grey, whatever colour the art ended in.
  EXPECT_EQ(ShotText(shot, 3).substr(0, 79), std::string(79, ' '));
  std::string grey;
  for (int i = 0; i < 79; ++i) grey += "07";
  EXPECT_EQ(ShotAttrs(shot, 22).substr(0, 158), grey);
  EXPECT_EQ(ShotText(shot, 23),
            std::string(14, ' ') + "Chars.:" + std::string(44, 'a') + std::string(15, ' '));
  EXPECT_EQ(ShotText(shot, 24), std::string(15, ' ') + std::string(50, 'b') + std::string(15, ' '));
  // Nothing of the screen before stays in the columns the viewer does not draw.
  for (const int y : {1, 12, 22}) EXPECT_EQ(ShotText(shot, y).substr(79), " ");
  EXPECT_EQ(ShotText(shot, 25).substr(0, 2) + ShotText(shot, 25).substr(77), "     ");
}

struct TExportCase {
  const char* Name;
  bool Existing;                  // art.txt is there before
  std::vector<std::string> Keys;  // after Ctrl+S, before Esc leaves the viewer
  const char* Message;            // on row 12 after the first key, "" for none
  const char* Content;            // of art.txt afterwards
};

// Enter in the name field saves; a file in the way is written over only
// after a question that starts on NO, which goes back to the name.
TEST_F(AnsiViewerTest, ExportsTextBesideTheArt) {
  const std::string art = "\x1b[1;31mRed\x1b[0m |04piped\x1b[5Cmoved\r\nnext";
  const std::string text = "Red |04piped     moved\nnext\n";
  const TExportCase cases[] = {
      {"written", false, {"\r", "\r"}, "Saved as ", text.c_str()},
      {"kept on NO", true, {"\r", "\r", "\x1b"}, "art.txt exists. Overwrite?", "mine"},
      {"written over on YES", true, {"\r", "y", "\r"}, "art.txt exists. Overwrite?", text.c_str()},
      {"cancelled", false, {"\x1b"}, "", ""},
  };
  const std::string target = Dir.File("art.txt");
  for (const TExportCase& c : cases) {
    SCOPED_TRACE(c.Name);
    ::unlink(target.c_str());
    if (c.Existing) Dir.Write("art.txt", "mine");
    Con.Waits.clear();
    Step({0, 19});
    for (const std::string& keys : c.Keys) Step(keys);
    Step("\x1b");
    Show(art);

    EXPECT_NE(Text(1, 13).find("Enter Filename:"), std::string::npos);
    EXPECT_EQ(Text(1, 14).substr(17, 8), "art.txt\xb0");
    const std::string message = *c.Message ? Text(2, 12) : "";
    EXPECT_NE(message.find(c.Message), std::string::npos) << message;
    if (std::string_view(c.Message) == "Saved as ") {
      EXPECT_NE(message.find(target), std::string::npos) << "the message names the file";
    }
    // The viewer's screen comes back after the prompt and the message.
    EXPECT_EQ(Con.Waits.back().Cells, Con.Waits.front().Cells);

    const std::vector<uint8_t> written = ReadFileBytes(target);
    EXPECT_EQ(std::string(written.begin(), written.end()), c.Content);
  }
}

// A picture of 200 columns (its record says so) scrolls sideways 8 columns
// a step with Left and Right, to its edges with Ctrl+Home and Ctrl+End;
// Page Down and the percent bar stay as they are.
TEST_F(AnsiViewerTest, WidePicturesScrollSideways) {
  std::string art;  // row 1 numbers every 8th column, row 2 ends in E
  for (int column = 1; column <= 200; column += 8) {
    const std::string number = std::to_string(column);
    art += std::string(3 - number.size(), '0') + number + "     ";
  }
  art += std::string(199, '.') + "E" + NumberedRows(40).substr(6);  // rows 3..41: L002..L040
  const std::string path = Dir.Write(
      "wide.ans", Cat({std::vector<uint8_t>(art.begin(), art.end()), SauceOf(1, 1, 200, 0)}));
  const struct {
    std::vector<int> Keys;
    const char* Row1;  // the first cells of screen row 1
    int Filled;        // 22 of 41 rows: 40 blocks
  } steps[] = {
      {{}, "001", 40},       {{0, 77}, "009", 40},  {{0, 77}, "017", 40},  {{0, 75}, "009", 40},
      {{0, 117}, "21", 40},  {{0, 77}, "21", 40},  // 122..200 shown
      {{0, 119}, "001", 40}, {{0, 81}, "L019", 75}, {{0, 75}, "L019", 75}, {{0, 77}, "    ", 75},
  };
  for (const auto& s : steps)
    if (!s.Keys.empty()) Con.Steps.emplace_back(s.Keys.begin(), s.Keys.end());
  Step("\x1b");
  ShowAnsiFile(Con, path, 1, 24);

  ASSERT_EQ(Con.Waits.size(), std::size(steps));
  for (size_t i = 0; i < std::size(steps); ++i) {
    SCOPED_TRACE(testing::Message() << "after step " << i);
    EXPECT_EQ(Text(i, 1).substr(0, std::string_view(steps[i].Row1).size()), steps[i].Row1);
    EXPECT_EQ(Filled(i), steps[i].Filled);
  }
  EXPECT_EQ(Text(1, 2).substr(0, 79), std::string(79, '.'));
  EXPECT_EQ(Text(4, 2).substr(0, 79), std::string(78, '.') + "E") << "the last column shows";
}

// The look of the picture's rows as it stood at each wait for a key.
class TLookRecordingConsole : public TWaitingConsole {
 public:
  bool WaitForEvent() override {
    Looks.push_back(RowLook());
    Blinks.push_back(BlinkMode());
    return TWaitingConsole::WaitForEvent();
  }
  std::vector<TRowLook> Looks;
  std::vector<bool> Blinks;
};

TEST(AnsiViewerFormats, EveryFormatDrawnInItsOwnFontColoursAndBlink) {
  const std::vector<uint8_t> art = {0x1B, '[', '5', ';', '3', '1', 'm', 'X'};
  const struct {
    TArtSample Sample;
    bool OwnFont, OwnPalette, Blinks;  // blink: only where the SAUCE record says so
  } kCases[] = {
      {BinSample(), false, false, false},
      {XBinRawSample(), false, false, false},  // no non-blink flag, but no record either
      {XBinPaletteFontSample(), true, true, false},
      {XBin512Sample(), true, false, false},
      {ArtWorxSample(), true, true, false},
      {IceDrawSample(), true, true, false},
      {TundraSample(), false, false, false},
      {PcBoardSample(), false, false, false},
      {{"plain.ans", art}, false, false, false},
      {{"blink.ans", Cat({art, SauceOf(1, 1, 80, 0x00)})}, false, false, true},
      {{"ice.ans", Cat({art, SauceOf(1, 1, 80, 0x01)})}, false, false, false},
  };
  TTempDir dir;
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Sample.FileName);
    TLookRecordingConsole con;
    con.Steps.push_back({27});
    const std::string path = dir.Write(c.Sample.FileName, c.Sample.Bytes);
    ShowAnsiFile(con, path, 1, 24);
    ASSERT_EQ(con.Waits.size(), 1u);
    const TArtPicture want = ReadArt(c.Sample.Bytes, c.Sample.FileName).Picture;
    for (int x = 0; x < std::min(want.Width(), 79); ++x) {
      const TScreenChar cell = want.At(x, 0);
      const TScreenChar shown = con.Waits[0].Cells.At(x, 0);
      EXPECT_EQ(shown.Ch, cell.Ch == 0 ? ' ' : cell.Ch) << "column " << x + 1;
      EXPECT_EQ(shown.Attr, cell.Attr) << "column " << x + 1;
    }
    const TRowLook& look = con.Looks.at(0);
    EXPECT_EQ(look.Glyphs.has_value(), c.OwnFont);
    EXPECT_EQ(look.Palette.has_value(), c.OwnPalette);
    if (c.OwnFont) {
      EXPECT_EQ(look.Glyphs->Bits, want.Font->Bits);
      EXPECT_EQ(look.Glyphs->Count, want.Font->Count);
      EXPECT_EQ(look.FirstRow, 1);
      EXPECT_EQ(look.LastRow, 22) << "the character list keeps the window's font";
    }
    if (c.OwnPalette) {
      EXPECT_EQ(look.Palette, want.Palette);
    }
    EXPECT_EQ(con.Blinks.at(0), c.Blinks);
    EXPECT_TRUE(con.RowLook().Empty() && !con.BlinkMode()) << "the window's look comes back";
  }
}

TEST_F(AnsiViewerTest, ArtThatIsBadOrCutShort) {
  std::vector<uint8_t> bad = XBinRawSample().Bytes;
  bad[3] = 'X';
  Step("\r");
  ShowAnsiFile(Con, Dir.Write("bad.xb", bad), 1, 24);
  ASSERT_EQ(Con.Waits.size(), 1u) << "a message, no picture";
  EXPECT_NE(Text(0, 12).find("bad.xb: not an XBin file"), std::string::npos) << Text(0, 12);

  // Cut in a run: the message over the picture, then the cells it holds.
  std::vector<uint8_t> cut = XBinCompressedSample().Bytes;
  cut.resize(cut.size() - 2);
  Step("\r");
  Step("\x1b");
  ShowAnsiFile(Con, Dir.Write("cut.xb", cut), 1, 24);
  ASSERT_EQ(Con.Waits.size(), 3u);
  EXPECT_NE(Text(1, 12).find("cut.xb: "), std::string::npos) << Text(1, 12);
  EXPECT_EQ(Text(2, 1).substr(0, 4), "\xDB \xDB ");
}

TEST_F(AnsiViewerTest, FilesThatCannotBeShown) {
  ShowAnsiFile(Con, Dir.File("absent.ans"), 1, 24);  // returns at once, nothing drawn
  EXPECT_TRUE(Con.Waits.empty());
  EXPECT_EQ(VisibleRow(Con, 1), std::string(80, ' '));

  // A FIFO exists but is no file to read: it is reported, never waited on.
  const std::string fifo = Dir.File("pipe.ans");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  Step("\r");
  ShowAnsiFile(Con, fifo, 1, 24);
  ASSERT_EQ(Con.Waits.size(), 1u);
  EXPECT_NE(Text(0, 12).find("Error Opening File!"), std::string::npos);
}

}  // namespace
