#include <cstdio>
#include <string>

#include "app/Shell.h"
#include "util/Files.h"
#include "util/Text.h"

namespace {
constexpr const char* kUsageLines[] = {
    "Brixel............................... v1.10",
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
  for (const char* line : kUsageLines) std::printf("%s\n", line);
  std::fflush(stdout);
  return true;
}
