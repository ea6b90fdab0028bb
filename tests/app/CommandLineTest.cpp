// The help switch: argument 1 asks for the usage text when it contains "-H"
// in any letter case; the text goes to standard output, before any window.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/Shell.h"
#include "support/TempDir.h"

namespace {

constexpr char kUsageText[] =
    "Brixel............................... v1.10\n"
    "\n"
    "  Usage: \n"
    "    brixel [fontfile]\n"
    "\n"
    "  [fontfile] : Filename of valid TDF Font File.\n"
    "\n"
    "  If you omit the filename you can choose from\n"
    "  a list.\n"
    "...............................................\n"
    "\n";

// Runs HandleHelpSwitch on "brixel" followed by args; answers its result and
// what it printed.
bool HelpSwitch(std::vector<std::string> args, std::string& printed) {
  args.insert(args.begin(), "brixel");
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  testing::internal::CaptureStdout();
  const bool result = HandleHelpSwitch(static_cast<int>(args.size()), argv.data());
  printed = testing::internal::GetCapturedStdout();
  return result;
}

TEST(HelpSwitch, AFirstArgumentHoldingDashHThatNamesNoFileShowsTheUsageText) {
  for (const std::string& arg : std::vector<std::string>{"-h", "-H", "--help", "my-hat.tdf", "/fonts/NEW-HAT.TDF"}) {
    std::string printed;
    EXPECT_TRUE(HelpSwitch({arg}, printed)) << arg;
    EXPECT_EQ(printed, kUsageText) << arg;
  }
}

TEST(HelpSwitch, AnExistingFileIsOpenedWhateverItsNameHolds) {
  TTempDir dir;
  std::filesystem::create_directory(dir.Path() / "ansi-Hall");
  const std::string hat = dir.Write("ansi-Hall/cfh-hoer.tdf", "TheDraw FONTS file");
  for (const std::string& arg : {hat, dir.Path().string() + "/ansi-Hall/./cfh-hoer.tdf"}) {
    std::string printed;
    EXPECT_FALSE(HelpSwitch({arg}, printed)) << arg;
    EXPECT_EQ(printed, "");
  }
}

TEST(HelpSwitch, OtherArgumentsPrintNothing) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {},
           {"font.tdf"},
           {"hat.tdf"},
           {"-x"},
           {"h"},
           {"H-"},
           {"-"},
           {""},
           {"font.tdf", "-h"},  // only argument 1 counts
       }) {
    std::string printed;
    EXPECT_FALSE(HelpSwitch(args, printed)) << (args.empty() ? "(none)" : args[0]);
    EXPECT_EQ(printed, "");
  }
}

}  // namespace
