// brixel-cli: the font core of Brixel for scripts and terminals. The first
// argument names a command; its record (CliCommands.h) runs it, and the
// records make the overall usage.

#include <signal.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

#include "app/cli/CliCommands.h"
#include "util/Paths.h"
#include "util/Version.h"

namespace {

// In the order the overall usage lists them.
constexpr const TCliCommand* kCommands[] = {
    &kListCommand,     &kFontsCommand,   &kRenderCommand,  &kAnsiCommand,       &kTextCommand,
    &kCreateCommand,   &kRenameCommand,  &kSpacingCommand, &kTypeCommand,       &kExtractCommand,
    &kMergeCommand,    &kExportCommand,  &kImportCommand,  &kDeleteFontCommand, &kCloneFontCommand,
    &kMoveFontCommand, &kCaptureCommand, &kGlyphCommand,   &kSauceCommand,
};

constexpr std::string_view kUsageHead =
    "usage: brixel-cli COMMAND [ARGS...]\n"
    "\n"
    "commands:\n";
constexpr std::string_view kUsageTail =
    "\n"
    "  brixel-cli --help           this text\n"
    "  brixel-cli --version        the version: brixel-cli VERSION\n"
    "  brixel-cli COMMAND --help   the usage of one command\n"
    "  --font N                    the font of the file to use; N defaults to the last font\n"
    "  --                          ends the options: names and texts after it may start with '-'\n";

// How a command's usage starts a form of it, and how the overall usage does.
constexpr std::string_view kFormStart = "usage: brixel-cli ";
constexpr std::string_view kMoreFormStart = "       brixel-cli ";
constexpr std::string_view kListedFormStart = "  ";
constexpr std::string_view kDetailIndent = "    ";  // on top of a detail line's own two
// Every command takes "--"; the overall usage explains it once instead.
constexpr std::string_view kEndOfOptions = " [--]";

std::string WithoutEndOfOptions(std::string_view form) {
  std::string out(form);
  for (size_t at; (at = out.find(kEndOfOptions)) != std::string::npos;)
    out.erase(at, kEndOfOptions.size());
  return out;
}

// One command in the overall usage: its forms (continued forms keep their
// alignment), its summary, then the lines of its usage that explain arguments.
std::string ListedCommand(const TCliCommand& command) {
  std::string forms, details;
  constexpr size_t kShift = kFormStart.size() - kListedFormStart.size();
  for (std::string_view usage = command.Usage; !usage.empty();) {
    const size_t end = usage.find('\n');
    const std::string_view line = usage.substr(0, end);
    usage.remove_prefix(end == std::string_view::npos ? usage.size() : end + 1);
    if (line.starts_with(kFormStart) || line.starts_with(kMoreFormStart)) {
      forms += std::string(kListedFormStart) + WithoutEndOfOptions(line.substr(kFormStart.size()));
    } else if (line.starts_with("   ")) {
      forms += WithoutEndOfOptions(line.substr(std::min(kShift, line.find_first_not_of(' '))));
    } else {
      details += std::string(kDetailIndent) + std::string(line);
      details += '\n';
      continue;
    }
    forms += '\n';
  }
  return forms + "      " + std::string(command.Summary) + "\n" + details;
}

std::string OverallUsage() {
  std::string usage(kUsageHead);
  for (const TCliCommand* command : kCommands) usage += ListedCommand(*command);
  return usage + std::string(kUsageTail);
}

}  // namespace

int main(int argc, char** argv) {
  SetProgramArg0(argc > 0 ? argv[0] : nullptr);
  // A write past the file-size limit (ulimit -f) then fails with EFBIG like
  // any other write: the command says so and removes its temporary file,
  // instead of being killed with the temporary file left behind.
  ::signal(SIGXFSZ, SIG_IGN);
  if (argc < 2) {
    std::fputs(OverallUsage().c_str(), stderr);
    return 1;
  }
  const std::string_view name = argv[1];
  if (name == "--help" || name == "-h" || name == "help") {
    // A closed or full standard output is a failure like any other output's.
    return std::fputs(OverallUsage().c_str(), stdout) >= 0 && std::fflush(stdout) == 0 ? 0 : 1;
  }
  if (name == "--version") {
    const std::string line = "brixel-cli " + std::string(kBrixelVersion) + "\n";
    return std::fputs(line.c_str(), stdout) >= 0 && std::fflush(stdout) == 0 ? 0 : 1;
  }
  for (const TCliCommand* command : kCommands) {
    if (command->Name == name) return command->Run(argc - 2, argv + 2);
  }
  std::fprintf(stderr, "brixel-cli: unknown command '%s'\n\n", argv[1]);
  std::fputs(OverallUsage().c_str(), stderr);
  return 1;
}
