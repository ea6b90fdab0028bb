// The A and S commands of the main screen, driven by keys through the real
// file dialogs.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "ansi/AnsiWriter.h"
#include "app/AnsiCommands.h"
#include "app/ShellState.h"
#include "support/FontUnitFixture.h"
#include "support/TdfBuilder.h"
#include "support/TempDir.h"
#include "support/WaitingConsole.h"

namespace {

// Notes what a middle-button drag would do at every wait for a key.
class TModeRecordingConsole : public TWaitingConsole {
 public:
  bool WaitForEvent() override {
    Modes.push_back(static_cast<uint8_t>(MiddleDrag));
    return TWaitingConsole::WaitForEvent();
  }
  std::vector<uint8_t> Modes;
};

class AnsiCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override { Shell.StartDir = Dir.Path().string(); }
  void TearDown() override {
    EXPECT_EQ(Con.Overruns, 0) << "a dialog waited for more keys than the script held";
    EXPECT_TRUE(Con.Steps.empty() && Con.KeyBufferEmpty()) << "scripted keys were left unread";
  }
  void Step(std::string_view keys) { Con.Steps.emplace_back(keys.begin(), keys.end()); }
  bool WaitShows(size_t i, const std::string& text) const {
    for (int y = 1; y <= 25; ++y)
      if (ShotText(Con.Waits.at(i), y).find(text) != std::string::npos) return true;
    return false;
  }

  TModeRecordingConsole Con;
  TShell Shell{Con};
  TTempDir Dir;
};

TEST_F(AnsiCommandsTest, ViewCapturesGlyphsOnlyWhileTheViewerIsOpen) {
  Dir.Write("art.ans", "\x1b[1;36mPicture row one");
  Dir.Write("notes.txt", "not art");
  Step("\r");    // the only .ans file in the list
  Step("\x1b");  // leaves the viewer
  ViewAnsiImage(Shell);
  ASSERT_EQ(Con.Waits.size(), 2u);
  EXPECT_TRUE(WaitShows(0, " Select Image "));
  EXPECT_EQ(ShotText(Con.Waits[1], 1).substr(0, 15), "Picture row one");
  EXPECT_EQ(Con.Modes, (std::vector<uint8_t>{1, 2}));
  EXPECT_EQ(Con.MiddleDrag, TBlockDrag::CopyText);

  Con.Waits.clear();
  Con.Modes.clear();
  Step("\x1b");  // a cancelled dialog opens nothing
  ViewAnsiImage(Shell);
  EXPECT_EQ(Con.Modes, (std::vector<uint8_t>{1}));
}

TEST_F(AnsiCommandsTest, SaveWritesTheScreenOrSaysWhyNot) {
  TTdfFontPlan sample;
  sample.Name = "Sample";
  TTdfBuilder font;
  font.Font(sample);
  ASSERT_TRUE(LoadFontFile(font.WriteTo(Dir, "font.tdf"), Shell.Font));
  const struct {
    const char* Name;
    bool Blocked;  // a file without write bits, which is never written over
    const char* Message;
  } cases[] = {{"saved", false, ""}, {"failed", true, "Cannot save Sample.ans: permission denied"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::string path = Dir.File("Sample.ans");
    std::filesystem::remove_all(path);
    if (c.Blocked) ::chmod(Dir.Write("Sample.ans", "kept").c_str(), 0444);
    Con.SetTextAttr(7);
    Con.ClrScr();
    Con.WriteXY(1, 2, 0x1E, "Top row of the sample area");
    Con.WriteXY(70, 21, 0x4F, "bottom");
    TCellGrid before;
    Con.SaveScreen(before);
    Con.Waits.clear();
    Step("\r");                 // the name field holds the font's name: take it
    if (*c.Message) Step("y");  // write over it
    if (*c.Message) Step("\r");
    SaveScreenAsAnsi(Shell, 1);

    if (*c.Message) {
      ASSERT_EQ(Con.Waits.size(), 3u);
      EXPECT_TRUE(WaitShows(2, c.Message));
    } else {
      const std::string bytes = AnsiScreenBytes(before);
      EXPECT_EQ(ReadFileBytes(path), std::vector<uint8_t>(bytes.begin(), bytes.end()));
    }
  }
}

// A goes on in the folder of its last file, kept in brixel.ini for the next
// start; a folder gone since is not opened.
TEST_F(AnsiCommandsTest, ViewRemembersTheArtFolder) {
  std::filesystem::create_directories(Dir.Path() / "art");
  Dir.Write("art/PIC.ANS", "art");
  Shell.ConfigFile = Dir.File("brixel.ini");
  const std::string root = Dir.Path().string() + "/";
  Step("\t");
  Step(std::string("\0P", 2));  // Down: "art", after ".."
  Step("\r");
  Step(std::string("\0K", 2));  // Left: back to the files of art/
  Step("\r");
  Step("\x1b");  // leaves the viewer
  Step("\r");    // the next dialog opens in art/: PIC.ANS
  Step("\x1b");
  ViewAnsiImage(Shell);
  ViewAnsiImage(Shell);
  EXPECT_EQ(ShotText(Con.Waits.at(6), 7).substr(7, root.size() + 4), root + "art/");
  const std::vector<uint8_t> ini = ReadFileBytes(Shell.ConfigFile);
  EXPECT_EQ(std::string(ini.begin(), ini.end()), "[ansi]\npath=" + root + "art/\n");

  std::filesystem::remove_all(Dir.Path() / "art");
  Con.Waits.clear();
  Step("\x1b");
  ViewAnsiImage(Shell);
  EXPECT_EQ(ShotText(Con.Waits.at(0), 7).substr(7, root.size() + 1), root + " ");
}

}  // namespace
