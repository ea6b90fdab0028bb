// The help switch: argument 1 asks for the usage text when it contains "-H"
// in any letter case; the text goes to standard output, before any window.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "app/Shell.h"
#include "support/TempDir.h"
#include "util/Version.h"

namespace {

// The heading keeps its width of 43 whatever the version's length.
const std::string kHeading = "Brixel" + std::string(35 - kBrixelVersion.size(), '.') + " v" +
                             std::string(kBrixelVersion) + "\n";

constexpr char kUsageBody[] =
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

// Runs a switch handler on "brixel" followed by args; answers its result and
// what it printed.
bool RunSwitch(bool (*handler)(int, char**), std::vector<std::string> args, std::string& printed) {
  args.insert(args.begin(), "brixel");
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  testing::internal::CaptureStdout();
  const bool result = handler(static_cast<int>(args.size()), argv.data());
  printed = testing::internal::GetCapturedStdout();
  return result;
}

bool HelpSwitch(std::vector<std::string> args, std::string& printed) {
  return RunSwitch(HandleHelpSwitch, std::move(args), printed);
}

TEST(HelpSwitch, AFirstArgumentHoldingDashHThatNamesNoFileShowsTheUsageText) {
  for (const std::string& arg :
       std::vector<std::string>{"-h", "-H", "--help", "my-hat.tdf", "/fonts/NEW-HAT.TDF"}) {
    std::string printed;
    EXPECT_TRUE(HelpSwitch({arg}, printed)) << arg;
    EXPECT_EQ(printed, kHeading + kUsageBody) << arg;
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

TEST(VersionSwitch, OnlyAFirstArgumentVersionPrintsTheVersion) {
  std::string printed;
  EXPECT_TRUE(RunSwitch(HandleVersionSwitch, {"--version"}, printed));
  EXPECT_EQ(printed, "brixel " + std::string(kBrixelVersion) + "\n");
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {}, {"-v"}, {"--VERSION"}, {"--version=1"}, {"font.tdf", "--version"}}) {
    EXPECT_FALSE(RunSwitch(HandleVersionSwitch, args, printed)) << (args.empty() ? "" : args[0]);
    EXPECT_EQ(printed, "");
  }
}

}  // namespace
