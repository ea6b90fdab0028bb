#pragma once

#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "util/Files.h"

struct TFontFile;

// What every brixel-cli command shares: reading its arguments the same way,
// saying what went wrong on stderr, and writing output that is checked.

// An option a command knows, and whether a value follows it.
struct TCliOption {
  std::string_view Name;
  bool TakesValue = false;
};

struct TCliArgs {
  bool Help = false;
  std::vector<std::pair<std::string, std::string>> Options;  // in the order given
  std::vector<std::string> Positional;

  bool Has(std::string_view name) const;
  // The value of the last occurrence of the option, or nullptr.
  const std::string* Value(std::string_view name) const;
  // The values of every occurrence, in the order given (an option that may repeat).
  std::vector<std::string> Values(std::string_view name) const;
};

// The record of one command: the name it is called by (and named by in
// messages), a one-line summary, its usage and the function that runs it with
// the arguments after its name, answering the exit code. The usage is what
// COMMAND --help prints: "usage: brixel-cli NAME ...", more forms of the
// command as "       brixel-cli NAME ...", continuation lines indented
// further, and lines that explain arguments indented by two. The overall
// usage is made from the records (CliMain.cpp).
class TCliCommand {
 public:
  using TRun = int (*)(int argc, char** argv);
  constexpr TCliCommand(std::string_view name, std::string_view summary, std::string_view usage,
                        TRun run)
      : Name(name), Summary(summary), Usage(usage), Run(run) {}

  // Reads the arguments after the command's name. "--" ends the options, so
  // names and texts that start with "-" can follow it; "--help" or "-h"
  // before it asks for the usage. An unknown option or a missing value is
  // reported and answers false.
  bool Parse(int argc, char** argv, std::span<const TCliOption> known, TCliArgs& args) const;
  // Checks that exactly the named positional arguments were given; the
  // message names the first missing one or the first extra one.
  bool ExpectPositionals(const TCliArgs& args, std::initializer_list<std::string_view> names) const;

  // Prints the usage on stdout; answers the exit code 0 (or 1 when it cannot be written).
  int ShowHelp() const;
  // "brixel-cli NAME: message" on stderr; answers the exit code 1.
  int Fail(std::string_view message) const;
  // The same message for a problem the command works around.
  void Warn(std::string_view message) const;
  // The one reader of numeric arguments: text must be a whole decimal number
  // from low to high. Anything else is reported, naming the argument and the
  // range ("S takes a number from 0 to 255, not 'abc'"), and answers false.
  bool ReadNumber(std::string_view name, std::string_view text, int low, int high,
                  int& value) const;
  // A font name argument in code page 437; an empty one is refused. As at
  // the window's prompt a long name is cut, but a script is told.
  bool ReadFontName(const std::string& text, std::string& name) const;
  // Whether the file out may be written: an existing file is replaced only
  // with --force, as the window asks first (reported otherwise).
  bool MayReplace(const TCliArgs& args, const std::string& out) const;
  // Writes text to stdout and flushes; a failed write (a full disk, a closed
  // pipe) is reported and answers false.
  bool WriteStdout(std::string_view text) const;
  // Replaces the file path with bytes as a whole (ReplaceFileContents: a
  // read-only file or a link to nothing is refused with the reason). Refused
  // when the output is one of the inputs (the same file by device and inode,
  // also through links), so a command never overwrites what it reads.
  bool WriteOutputFile(const std::string& path, std::string_view bytes,
                       std::initializer_list<std::string_view> inputs) const;
  // The same for output made while it is written (ReplaceFileWith), so a
  // large picture never has to be whole in memory: write puts the bytes into
  // the sink, or answers false with its reason in why and the file stays as
  // it was.
  using TOutputWriter = std::function<bool(const TByteSink& sink, std::string& why)>;
  bool WriteOutputFile(const std::string& path, const TOutputWriter& write,
                       std::initializer_list<std::string_view> inputs) const;
  // Loads a font file into font for the command; a path that cannot be read
  // is reported with the system's reason.
  bool LoadFont(const std::string& path, TFontFile& font) const;
  // Reports that the file at path lists no font: for a FIGlet font, why
  // figlet's form could not be read. Answers false.
  bool FailNoFonts(const std::string& path) const;
  // LoadFont, then selects the font of option --font (default: the one the
  // load selected, the last); a file without fonts or a number outside
  // 1..Count() is reported.
  bool LoadFontAndSelect(const std::string& path, const TCliArgs& args, TFontFile& font) const;

  const std::string_view Name;
  const std::string_view Summary;
  const std::string_view Usage;
  const TRun Run;
};
