#include <cstdio>
#include <string>
#include <string_view>

#include "app/Shell.h"
#include "util/Files.h"
#include "util/Text.h"
#include "util/Version.h"

namespace {
constexpr uint8_t kHeadingWidth = 43;  // "Brixel", dots, the version at the right edge

constexpr const char* kUsageLines[] = {
    "",
    "  Usage: ",
    "    brixel [fontfile]",
    "",
    "  [fontfile] : Filename of valid TDF Font File.",
    "",
    "  If you omit the filename you can choose from",
    "  a list.",
    "...............................................",
    "",
};
}  // namespace

// The usage text goes to standard output before any window exists: written
// into the window, nobody would ever see it before the process ended.
bool HandleHelpSwitch(int argc, char** argv) {
  if (argc < 2 || UpStr(argv[1]).find("-H") == std::string::npos) return false;
  // A file that exists is opened whatever its name: real fonts such as
  // "cfh-hoer.tdf" and folders such as "ansi-hall/" hold "-h" too.
  if (FileThere(argv[1])) return false;
  const std::string version = " v" + std::string(kBrixelVersion);
  std::printf("%s%s\n",
              PadRight("Brixel", static_cast<uint8_t>(kHeadingWidth - version.size()), '.').c_str(),
              version.c_str());
  for (const char* line : kUsageLines) std::printf("%s\n", line);
  std::fflush(stdout);
  return true;
}

bool HandleVersionSwitch(int argc, char** argv) {
  if (argc < 2 || std::string_view(argv[1]) != "--version" || FileThere(argv[1])) return false;
  std::printf("brixel %s\n", std::string(kBrixelVersion).c_str());
  std::fflush(stdout);
  return true;
}
