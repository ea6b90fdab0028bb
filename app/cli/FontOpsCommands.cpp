// brixel-cli create, rename, spacing, type, extract, merge, delete-font,
// clone-font and move-font: the window's font-file operations for scripts,
// through the same functions.

#include <string>
#include <string_view>

#include "app/cli/CliArgs.h"
#include "app/cli/CliCommands.h"
#include "tdf/FontFile.h"
#include "tdf/FontFileAccess.h"
#include "tdf/FontOps.h"
#include "util/Cp437.h"
#include "util/Files.h"
#include "util/Text.h"

namespace {
int RunCreate(int argc, char** argv);
int RunRename(int argc, char** argv);
int RunSpacing(int argc, char** argv);
int RunType(int argc, char** argv);
int RunExtract(int argc, char** argv);
int RunMerge(int argc, char** argv);
int RunDeleteFont(int argc, char** argv);
int RunCloneFont(int argc, char** argv);
int RunMoveFont(int argc, char** argv);
}  // namespace

const TCliCommand kCreateCommand("create", "a new font file with one empty font",
                                 "usage: brixel-cli create [--force] [--] OUT NAME TYPE\n"
                                 "  TYPE: outline, block or color (0, 1 or 2)\n"
                                 "  --force: replace OUT when it exists\n",
                                 RunCreate);
const TCliCommand kRenameCommand(
    "rename", "change a font's name (up to 12 characters; a longer one is cut with a warning)",
    "usage: brixel-cli rename [--font N] [--] FILE NAME\n", RunRename);
const TCliCommand kSpacingCommand("spacing", "change a font's letter spacing (0-255)",
                                  "usage: brixel-cli spacing [--font N] [--] FILE S\n", RunSpacing);
const TCliCommand kTypeCommand("type", "change a font's type",
                               "usage: brixel-cli type [--font N] [--] FILE T\n"
                               "  T: outline, block or color (0, 1 or 2)\n",
                               RunType);
const TCliCommand kExtractCommand("extract", "a font of FILE into a file of its own",
                                  "usage: brixel-cli extract [--font N] [--force] [--] FILE OUT\n"
                                  "  --force: replace OUT when it exists\n",
                                  RunExtract);
const TCliCommand kMergeCommand("merge",
                                "fonts added from another file (a SAUCE record stays last)",
                                "usage: brixel-cli merge [--] FILE OTHER\n"
                                "  copies the fonts of OTHER into FILE, after its last font\n",
                                RunMerge);
const TCliCommand kDeleteFontCommand(
    "delete-font", "remove a font from its file (the other fonts keep their bytes)",
    "usage: brixel-cli delete-font [--font N] [--] FILE\n", RunDeleteFont);
const TCliCommand kCloneFontCommand("clone-font",
                                    "a copy of a font under a new name, placed right after it",
                                    "usage: brixel-cli clone-font [--font N] [--] FILE NAME\n"
                                    "  the copy of font N is font N+1; NAME as for rename\n",
                                    RunCloneFont);
const TCliCommand kMoveFontCommand("move-font", "move a font one place up or down in its file",
                                   "usage: brixel-cli move-font [--font N] [--] FILE up|down\n"
                                   "  up: font N becomes font N-1; down: it becomes font N+1\n",
                                   RunMoveFont);

namespace {

constexpr TCliOption kFontOption[] = {{"--font", true}};
constexpr TCliOption kForceOption[] = {{"--force", false}};
constexpr TCliOption kFontAndForceOptions[] = {{"--font", true}, {"--force", false}};

// A type by name or number; lowest is 0 where Outline counts, 1 where not.
bool ParseFontType(std::string_view text, int lowest, uint8_t& type) {
  const std::string lower = LoStr(text);
  constexpr std::string_view kNames[] = {"outline", "block", "color"};
  for (int t = 0; t < 3; ++t) {
    if (lower == kNames[t] || lower == std::to_string(t)) {
      if (t < lowest) return false;
      type = static_cast<uint8_t>(t);
      return true;
    }
  }
  return false;
}

// Parses the command's arguments and loads FILE (the first positional) into
// font with the font of --font (default: the one the load selected) selected.
// names are the positional arguments the command takes.
bool LoadWithFont(const TCliCommand& command, int argc, char** argv,
                  std::initializer_list<std::string_view> names, TCliArgs& args, TFontFile& font,
                  int& exitCode, std::span<const TCliOption> options = kFontOption) {
  exitCode = 1;
  if (!command.Parse(argc, argv, options, args)) return false;
  if (args.Help) {
    exitCode = command.ShowHelp();
    return false;
  }
  if (!command.ExpectPositionals(args, names)) return false;
  return command.LoadFontAndSelect(args.Positional[0], args, font);
}

// Runs a write and answers the exit code; a failure is reported with its reason.
template <typename TWrite>
int Finish(const TCliCommand& command, const std::string& failure, TWrite write) {
  int error = 0;
  return write(error) ? 0 : command.Fail(failure + ": " + FontFileErrorText(error));
}

int RunCreate(int argc, char** argv) {
  const TCliCommand& command = kCreateCommand;
  TCliArgs args;
  if (!command.Parse(argc, argv, kForceOption, args)) return 1;
  if (args.Help) return command.ShowHelp();
  if (!command.ExpectPositionals(args, {"OUT", "NAME", "TYPE"})) return 1;
  uint8_t type = 0;
  if (!ParseFontType(args.Positional[2], 0, type))
    return command.Fail("TYPE must be outline, block or color (0, 1 or 2), not '" +
                        args.Positional[2] + "'");
  const std::string& out = args.Positional[0];
  const std::string name = Utf8ToCp437(args.Positional[1]);
  if (name.empty()) return command.Fail("NAME is empty");
  if (!command.MayReplace(args, out)) return 1;
  return Finish(command, "cannot write " + out,
                [&](int& error) { return CreateFontFile(out, name, type, error); });
}

int RunRename(int argc, char** argv) {
  const TCliCommand& command = kRenameCommand;
  TCliArgs args;
  TFontFile font;
  int code = 1;
  if (!LoadWithFont(command, argc, argv, {"FILE", "NAME"}, args, font, code)) return code;
  std::string name;
  if (!command.ReadFontName(args.Positional[1], name)) return 1;
  return Finish(command, "cannot write " + font.Path,
                [&](int& error) { return SetFontName(font, name, error); });
}

int RunSpacing(int argc, char** argv) {
  const TCliCommand& command = kSpacingCommand;
  TCliArgs args;
  TFontFile font;
  int code = 1;
  if (!LoadWithFont(command, argc, argv, {"FILE", "S"}, args, font, code)) return code;
  int spacing = 0;
  if (!command.ReadNumber("S", args.Positional[1], 0, 255, spacing)) return 1;
  return Finish(command, "cannot write " + font.Path, [&](int& error) {
    return SetFontSpacing(font, static_cast<uint8_t>(spacing), error);
  });
}

int RunType(int argc, char** argv) {
  const TCliCommand& command = kTypeCommand;
  TCliArgs args;
  TFontFile font;
  int code = 1;
  if (!LoadWithFont(command, argc, argv, {"FILE", "T"}, args, font, code)) return code;
  uint8_t type = 0;
  if (!ParseFontType(args.Positional[1], 0, type))
    return command.Fail("T must be outline, block or color (0, 1 or 2), not '" +
                        args.Positional[1] + "'");
  return Finish(command, "cannot write " + font.Path,
                [&](int& error) { return SetFontType(font, type, error); });
}

int RunExtract(int argc, char** argv) {
  const TCliCommand& command = kExtractCommand;
  TCliArgs args;
  TFontFile font;
  int code = 1;
  if (!LoadWithFont(command, argc, argv, {"FILE", "OUT"}, args, font, code, kFontAndForceOptions))
    return code;
  const std::string& out = args.Positional[1];
  if (SameFile(out, font.Path)) return command.Fail("will not write " + out + ": it is the input");
  if (!command.MayReplace(args, out)) return 1;
  return Finish(command, "cannot write " + out,
                [&](int& error) { return ExtractFont(font, out, error); });
}

int RunMerge(int argc, char** argv) {
  const TCliCommand& command = kMergeCommand;
  TCliArgs args;
  if (!command.Parse(argc, argv, {}, args)) return 1;
  if (args.Help) return command.ShowHelp();
  if (!command.ExpectPositionals(args, {"FILE", "OTHER"})) return 1;
  const std::string& file = args.Positional[0];
  const std::string& other = args.Positional[1];
  TFontFile font;
  if (!command.LoadFont(file, font)) return 1;
  if (const int problem = FileProblem(other))
    return command.Fail(other + ": " + FileErrorText(problem));
  int added = 0;
  if (const int code = Finish(command, "cannot merge " + other + " into " + file,
                              [&](int& error) { return MergeFontFile(font, other, added, error); }))
    return code;
  const std::string fonts = added == 1 ? " font" : " fonts";
  return command.WriteStdout(std::to_string(added) + fonts + " added to " + file + "\n") ? 0 : 1;
}

// "font N of FILE", as failures name the font they were about.
std::string FontOfFile(const TFontFile& font) {
  return "font " + std::to_string(font.Selected) + " of " + font.Path;
}

int RunDeleteFont(int argc, char** argv) {
  const TCliCommand& command = kDeleteFontCommand;
  TCliArgs args;
  TFontFile font;
  int code = 1;
  if (!LoadWithFont(command, argc, argv, {"FILE"}, args, font, code)) return code;
  return Finish(command, "cannot delete " + FontOfFile(font),
                [&](int& error) { return DeleteFont(font, font.Selected, error); });
}

int RunCloneFont(int argc, char** argv) {
  const TCliCommand& command = kCloneFontCommand;
  TCliArgs args;
  TFontFile font;
  int code = 1;
  if (!LoadWithFont(command, argc, argv, {"FILE", "NAME"}, args, font, code)) return code;
  std::string name;
  if (!command.ReadFontName(args.Positional[1], name)) return 1;
  return Finish(command, "cannot clone " + FontOfFile(font),
                [&](int& error) { return CloneFont(font, font.Selected, name, error); });
}

int RunMoveFont(int argc, char** argv) {
  const TCliCommand& command = kMoveFontCommand;
  TCliArgs args;
  TFontFile font;
  int code = 1;
  if (!LoadWithFont(command, argc, argv, {"FILE", "up|down"}, args, font, code)) return code;
  const std::string way = LoStr(args.Positional[1]);
  if (way != "up" && way != "down")
    return command.Fail("the way to move must be up or down, not '" + args.Positional[1] + "'");
  const TFontMove direction = way == "up" ? TFontMove::Up : TFontMove::Down;
  return Finish(command, "cannot move " + FontOfFile(font) + " " + way,
                [&](int& error) { return MoveFont(font, font.Selected, direction, error); });
}

}  // namespace
