// Start-up with the Load dialog, and the L, D and font-type commands, driven
// by key scripts through the real dialogs.

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ShellFixture.h"
#include "app/FontFileCommands.h"
#include "app/Shell.h"
#include "support/TempDir.h"
#include "tdf/FontOps.h"

namespace {

namespace fs = std::filesystem;

constexpr int kDown = 80;

class FontFileCommands : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    char buffer[PATH_MAX];
    ASSERT_NE(::getcwd(buffer, sizeof buffer), nullptr);
    StartCwd = buffer;
    // The dialogs open in the working directory (no brixel.ini says otherwise).
    ASSERT_EQ(::chdir(Dir.Path().c_str()), 0);
    Shell.FontPath = Dir.Path().string();
    TTdfBuilder good, other;
    good.Font(FontPlan("Good", ftBlock, 1));
    other.Font(FontPlan("First", ftBlock, 1)).Font(FontPlan("Other", ftColor, 2));
    Good = good.WriteTo(Dir, "good.tdf");
    Other = other.WriteTo(Dir, "other.tdf");
    Dir.Write("plain.tdf", "no font in here");
  }
  void TearDown() override {
    EXPECT_EQ(::chdir(StartCwd.c_str()), 0);
    ShellTest::TearDown();
  }
  // Whether any row of the screen at the i-th wait holds text.
  bool WaitShows(size_t i, const std::string& text) const {
    for (int y = 1; y <= 25; ++y)
      if (WaitText(i, y).find(text) != std::string::npos) return true;
    return false;
  }
  void Start(const std::string& argument) {
    std::string arg0 = "brixel", arg1 = argument;
    char* argv[] = {arg0.data(), arg1.data(), nullptr};
    RunShell(Shell, argument.empty() ? 1 : 2, argv);
  }

  std::string StartCwd, Good, Other;
};

TEST_F(FontFileCommands, StartUpExplainsRefusedFilesAndAsksAgain) {
  ASSERT_EQ(::mkfifo(Dir.File("pipe.tdf").c_str(), 0600), 0);
  Step("\r");                            // the message about the FIFO
  Step({0, kDown, 0, kDown, 0, kDown});  // good, other, pipe, plain
  Step("\r");
  Step("\r");  // the message about plain.tdf
  Step("\r");  // good.tdf, first in the list
  Step({27});  // the main screen
  Start(Dir.File("pipe.tdf"));
  EXPECT_TRUE(WaitShows(0, "Cannot open pipe.tdf: not a regular file"));
  EXPECT_TRUE(WaitShows(0, "Error Opening File!"));
  EXPECT_TRUE(WaitShows(1, " Load Font "));
  EXPECT_TRUE(WaitShows(3, "plain.tdf holds no TheDraw font."));
  EXPECT_EQ(Shell.Font.Path, Good);
  EXPECT_EQ(WaitText(5, 1).substr(0, 9), "good.tdf ");
}

TEST_F(FontFileCommands, LeavingTheFirstDialogEndsWithAClearedScreen) {
  Step({27});
  Start(Dir.Path().string());  // a directory is no file: the dialog opens
  ASSERT_EQ(Screen.Waits.size(), 1u);
  EXPECT_TRUE(WaitShows(0, " Load Font "));
  for (int y = 1; y <= 25; ++y)
    for (int x = 1; x <= 80; ++x) ASSERT_EQ(Screen.GetCharAt(x, y), 0) << x << "," << y;
}

TEST_F(FontFileCommands, LoadShowsTheLastFontOfAnotherFileAndKeepsTheOldOneOnFailure) {
  Load(TTdfBuilder().Font(FontPlan("Good", ftBlock, 1)), "good.tdf");
  Step("l");
  Step({0, kDown});  // other.tdf
  Step("\r");
  Step("L");
  Step({0, kDown, 0, kDown});  // plain.tdf
  Step("\r");
  Step("\r");  // its message
  Step({27});
  RunLoop();
  EXPECT_EQ(WaitText(3, 1).substr(0, 40), "other.tdf                Font: 2/2      ");
  EXPECT_TRUE(WaitShows(6, "plain.tdf holds no TheDraw font."));
  EXPECT_EQ(WaitText(7, 1).substr(0, 40), "other.tdf                Font: 2/2      ");
  EXPECT_EQ(Shell.Font.Path, Other);
}

// The dialogs and B start where the file shown is; W sets the font folder
// (and browses it), V the palette, both kept in brixel.ini.
TEST_F(FontFileCommands, FoldersFollowTheFileShownAndSettingsChangeInTheWindow) {
  fs::create_directory(Dir.Path() / "elsewhere");
  fs::create_directory(Dir.Path() / "fonts");
  const std::string far =
      TTdfBuilder().Font(FontPlan("Far", ftBlock, 1)).WriteTo(Dir, "elsewhere/far.tdf");
  ASSERT_TRUE(LoadShellFontFile(Shell, far));
  Shell.FontPath = Dir.File("fonts");
  Shell.ConfigFile = Dir.File("brixel.ini");
  const std::string root = Dir.Path().string() + "/";
  // L, A and B, each left with Esc; W, up to the parent of fonts/, Left to the
  // files, whose Enter takes the folder shown, Esc from its browser; V.
  const std::string left("\0K", 2);
  for (const std::string& keys : std::vector<std::string>{
           "l", "\x1b", "a", "\x1b", "b", "\x1b", "w", "\r", left, "\r", "\x1b", "v", "\x1b"})
    Step(keys);
  RunLoop();
  EXPECT_EQ(WaitText(1, 7).substr(7, root.size() + 10), root + "elsewhere/");
  EXPECT_EQ(WaitText(3, 7).substr(7, root.size() + 10), root + "elsewhere/");
  EXPECT_TRUE(WaitShows(5, " Fonts: 1 of 1 "));
  EXPECT_EQ(WaitText(7, 7).substr(7, root.size() + 6), root + "fonts/");
  EXPECT_TRUE(WaitShows(10, " Fonts: 4 of 4 "));
  EXPECT_EQ(Screen.Palette(), kVgaPalette);
  const std::vector<uint8_t> ini = ReadFileBytes(Shell.ConfigFile);
  EXPECT_EQ(std::string(ini.begin(), ini.end()),
            "[fonts]\npath=" + root + "\n[screen]\nPalette=vga\n");
}

TEST_F(FontFileCommands, DeleteAsksDeletesAndEndsWhenNoOtherFileIsChosen) {
  const std::string doomed = Load(TTdfBuilder().Font(FontPlan("Doomed", ftBlock, 1)), "doomed.tdf");
  Step("d");
  Step("\r");  // the question starts on NO: Enter keeps the file
  Step("D");
  Step("y");
  Step("\r");  // "File deleted. Load another one."
  Step({27});  // no other file: the loop ends
  RunLoop();
  EXPECT_TRUE(WaitShows(1, "Delete doomed.tdf?"));
  EXPECT_FALSE(WaitShows(2, "Delete doomed.tdf?"));
  EXPECT_TRUE(WaitShows(4, "File deleted. Load another one."));
  EXPECT_TRUE(WaitShows(5, " Load Font "));
  EXPECT_FALSE(fs::exists(doomed));
  EXPECT_TRUE(fs::exists(Good));
}

TEST_F(FontFileCommands, DeleteThatFailsSaysSoAndKeepsTheFile) {
  const std::string kept = Load(TTdfBuilder().Font(FontPlan("Kept", ftBlock, 1)), "kept.tdf");
  // The name now stands for a directory with something in it, which cannot be erased.
  fs::remove(kept);
  fs::create_directories(kept + "/inside");
  Step("d");
  Step("y");
  Step("\r");
  Step({27});
  RunLoop();
  EXPECT_TRUE(WaitShows(2, "Could not delete kept.tdf."));
  EXPECT_FALSE(WaitShows(2, "File deleted"));
  EXPECT_TRUE(fs::exists(kept + "/inside"));
}

TEST_F(FontFileCommands, FontTypeListAnswersThePickOrZeroForEscape) {
  TCellGrid before;
  Screen.SaveScreen(before);
  Step({0, kDown, 0, kDown});
  Step("\r");
  EXPECT_EQ(ChooseFontType(Shell), 3);
  EXPECT_EQ(WaitText(0, 11).substr(29, 20), "\xDA Font Type " + std::string(7, '\xC4') + "\xBF");
  Step({27});
  EXPECT_EQ(ChooseFontType(Shell), 0);
  TCellGrid after;
  Screen.SaveScreen(after);
  EXPECT_EQ(after, before);
}

// The commands that change font files, each with its cancels, from the
// second of the two fonts of other.tdf.
TEST_F(FontFileCommands, EditCommandsAndTheirCancels) {
  const std::string down("\0P", 2), esc("\x1b");
  struct TCase {
    const char* Name;
    std::vector<std::string> Steps;  // after the command key, before the final Esc
    std::function<void()> Check;
    std::function<void(const std::string& path)> Prepare = nullptr;  // of the loaded file
  };
  auto shown = [this](const std::string& text) {
    for (size_t i = 0; i < Screen.Waits.size(); ++i)
      if (WaitShows(i, text)) return true;
    return false;
  };
  auto listing = [&](const std::string& path) {
    EXPECT_TRUE(LoadFontFile(path, Shell.Font));
    return Shell.Font.Count();
  };
  const std::vector<TCase> cases = {
      {"n",
       {"\x19Renamed\r"},
       [&] {
         EXPECT_EQ(Shell.Font.Fonts[2].Name, "Renamed");
         EXPECT_EQ(Shell.Font.Selected, 2);
       }},
      {"n cancelled", {"\x19\r"}, [&] { EXPECT_EQ(Shell.Font.Fonts[2].Name, "Other"); }},
      {"i",
       {"300\r"},
       [&] {
         EXPECT_EQ(Shell.Font.Header.Spacing, 44);
         EXPECT_EQ(Shell.Font.Selected, 2);
       }},
      {"i cancelled", {"\r"}, [&] { EXPECT_EQ(Shell.Font.Header.Spacing, 2); }},
      {"i read-only",
       {"5\r", "\r"},
       [&] {
         EXPECT_TRUE(shown("Cannot write other.tdf. Permission denied."));
         EXPECT_EQ(Shell.Font.Header.Spacing, 2);
       },
       [&](const std::string& path) { ::chmod(path.c_str(), 0444); }},
      {"f",
       {down + "\r"},
       [&] {
         EXPECT_EQ(Shell.Font.Header.FontType, ftBlock);
         EXPECT_EQ(Shell.Font.Selected, 2);
       }},
      {"f cancelled", {esc}, [&] { EXPECT_EQ(Shell.Font.Header.FontType, ftColor); }},
      {"e",
       {"\r"},
       [&] {
         EXPECT_EQ(listing(Dir.File("Other.tdf")), 1);
         EXPECT_EQ(Shell.Font.Fonts[1].Name, "Other");
       }},
      {"e cancelled", {esc}, [&] { EXPECT_FALSE(fs::exists(Dir.File("Other.tdf"))); }},
      {"m",
       {"\r", "y", "\r"},
       [&] {
         EXPECT_TRUE(shown("1 font added."));
         EXPECT_EQ(Shell.Font.Count(), 3);
         EXPECT_EQ(Shell.Font.Selected, 3);
         EXPECT_EQ(Shell.Font.Fonts[3].Name, "Good");
       }},
      {"m without fonts",
       {down + down + "\r", "y", "\r"},
       [&] {
         EXPECT_TRUE(shown("Error while merging fonts! No fonts to merge."));
         EXPECT_EQ(Shell.Font.Count(), 2);
       }},
      {"m not sure (the question starts on NO)",
       {"\r", "\r"},
       [&] {
         EXPECT_TRUE(shown("Add the fonts of good.tdf to other.tdf?"));
         EXPECT_EQ(Shell.Font.Count(), 2);
       }},
      {"c",
       {"\r", "Neu\r", down + down + "\r", "\r"},
       [&] {
         EXPECT_EQ(listing(Dir.File("newfont.tdf")), 1);
         EXPECT_EQ(Shell.Font.Fonts[1].Name, "Neu         ");
       }},
      {"c outline",
       {"\r", "Neu\r", "\r", "\r"},
       [&] {
         EXPECT_EQ(listing(Dir.File("newfont.tdf")), 1);
         EXPECT_EQ(Shell.Font.Header.FontType, ftOutline);
       }},
      {"c cancelled", {esc}, [&] { EXPECT_FALSE(fs::exists(Dir.File("newfont.tdf"))); }},
      {"c type cancelled",
       {"\r", "Neu\r", esc},
       [&] { EXPECT_FALSE(fs::exists(Dir.File("newfont.tdf"))); }},
      {"Del",
       {"y"},
       [&] {
         EXPECT_TRUE(shown("Delete the font Other?"));
         EXPECT_EQ(Shell.Font.Count(), 1);
         EXPECT_EQ(Shell.Font.Selected, 1);
         EXPECT_EQ(Shell.Font.Fonts[1].Name, "First");
       }},
      {"Del kept (the question starts on NO)", {"\r"}, [&] { EXPECT_EQ(Shell.Font.Count(), 2); }},
      {"Ins",
       {std::string("\x19") + "Copy\r"},
       [&] {
         EXPECT_EQ(Shell.Font.Count(), 3);
         EXPECT_EQ(Shell.Font.Selected, 3);
         EXPECT_EQ(Shell.Font.Fonts[3].Name, "Copy");
         EXPECT_EQ(Shell.Font.Header.FontType, ftColor);
       }},
      {"Ins cancelled", {"\x19\r"}, [&] { EXPECT_EQ(Shell.Font.Count(), 2); }},
      {"PgUp",
       {},
       [&] {
         EXPECT_EQ(Shell.Font.Selected, 1);
         EXPECT_EQ(Shell.Font.Fonts[1].Name, "Other");
         EXPECT_EQ(Shell.Font.Fonts[2].Name, "First");
       }},
      {"PgDn past the last",
       {"\r"},
       [&] {
         EXPECT_TRUE(shown("Cannot move the font. It is the last font of the file."));
         EXPECT_EQ(Shell.Font.Selected, 2);
         EXPECT_EQ(Shell.Font.Fonts[2].Name, "Other");
       }},
  };
  // The command key: a letter, or the extended key the case is named after.
  const std::map<std::string, std::string> extended = {{"Del", std::string("\0S", 2)},
                                                       {"Ins", std::string("\0R", 2)},
                                                       {"PgUp", std::string("\0I", 2)},
                                                       {"PgDn", std::string("\0Q", 2)}};
  Shell.StartDir = Dir.Path().string();
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    for (const char* made : {"Other.tdf", "newfont.tdf"}) fs::remove(Dir.File(made));
    const std::string path =
        Load(TTdfBuilder().Font(FontPlan("First", ftBlock, 1)).Font(FontPlan("Other", ftColor, 2)),
             "other.tdf");
    if (c.Prepare) c.Prepare(path);
    Screen.Waits.clear();
    const std::string word = std::string(c.Name).substr(0, std::string(c.Name).find(' '));
    Step(extended.count(word) ? extended.at(word) : std::string(1, c.Name[0]));
    for (const std::string& step : c.Steps) Step(step);
    Step({27});
    RunLoop();
    EXPECT_TRUE(Screen.Steps.empty()) << "the loop ended early";
    EXPECT_EQ(Screen.Overruns, 0);
    Screen.Steps.clear();
    Screen.Overruns = 0;
    if (Shell.Font.Selected >= 1 && Shell.Font.Selected <= Shell.Font.Count())
      SelectFont(Shell.Font, Shell.Font.Selected);
    c.Check();
    ::chmod(path.c_str(), 0644);
  }
}

}  // namespace
