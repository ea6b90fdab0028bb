// brixel-cli sauce: prints the SAUCE record of any file (title, author,
// group, date, the numbers and the comments), or writes one with the fields
// given, keeping the content byte for byte.

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "ansi/SauceFile.h"
#include "app/cli/CliArgs.h"
#include "app/cli/CliCommands.h"
#include "app/cli/Json.h"
#include "tdf/FontFile.h"
#include "util/Cp437.h"
#include "util/Files.h"

namespace {
int Run(int argc, char** argv);
}  // namespace

const TCliCommand kSauceCommand(
    "sauce", "the SAUCE record (title, author, group, date, ...) of any file, or null",
    "usage: brixel-cli sauce [--json] [--] FILE\n"
    "       brixel-cli sauce [--title T] [--author A] [--group G] [--date CCYYMMDD]\n"
    "                        [--comment LINE]... [--] FILE\n"
    "  with fields given, FILE gets a record with them; fields not given keep their value\n"
    "  (a new record is dated today); --comment lines replace every comment\n",
    Run);

namespace {

constexpr TCliOption kSauceOptions[] = {{"--json", false}, {"--title", true}, {"--author", true},
                                        {"--group", true}, {"--date", true},  {"--comment", true}};

std::string JsonRecord(const TSauce& s) {
  std::string comments;
  for (const std::string& line : s.Comments)
    comments += (comments.empty() ? "" : ", ") + JsonCp437String(line);
  const auto number = [](std::string_view key, unsigned value) {
    return ", \"" + std::string(key) + "\": " + std::to_string(value);
  };
  return "{\"title\": " + JsonCp437String(s.Title) + ", \"author\": " + JsonCp437String(s.Author) +
         ", \"group\": " + JsonCp437String(s.Group) + ", \"date\": " + JsonCp437String(s.Date) +
         number("file_size", s.FileSize) + number("data_type", s.DataType) +
         number("file_type", s.FileType) + number("tinfo1", s.TInfo1) + number("tinfo2", s.TInfo2) +
         number("tinfo3", s.TInfo3) + number("tinfo4", s.TInfo4) + number("flags", s.Flags) +
         ", \"comments\": [" + comments + "], \"font\": " + JsonCp437String(s.Font) + "}\n";
}

std::string TextRecord(const TSauce& s) {
  const struct {
    const char* Label;
    std::string Value;
  } rows[] = {{"Title:", s.Title},
              {"Author:", s.Author},
              {"Group:", s.Group},
              {"Date:", s.Date},
              {"File size:", std::to_string(s.FileSize)},
              {"Data type:", std::to_string(s.DataType)},
              {"File type:", std::to_string(s.FileType)},
              {"TInfo1:", std::to_string(s.TInfo1)},
              {"TInfo2:", std::to_string(s.TInfo2)},
              {"TInfo3:", std::to_string(s.TInfo3)},
              {"TInfo4:", std::to_string(s.TInfo4)},
              {"Flags:", std::to_string(s.Flags)},
              {"Font:", s.Font}};
  constexpr size_t kValueColumn = 12;
  const auto line = [](std::string_view label, std::string_view value) {
    std::string text(label);
    text.resize(kValueColumn, ' ');
    return text + Cp437ToUtf8(value) + "\n";
  };
  std::string out;
  for (const auto& row : rows) out += line(row.Label, row.Value);
  for (size_t i = 0; i < s.Comments.size(); ++i) out += line(i ? "" : "Comments:", s.Comments[i]);
  return out;
}

int PrintRecord(const std::string& path, bool json) {
  TSauce sauce;
  bool found = false;
  int error = 0;
  if (!ReadSauceFile(path, sauce, found, error))
    return kSauceCommand.Fail(path + ": " + FileErrorText(error));
  if (!found) return kSauceCommand.WriteStdout("null\n") ? 0 : 1;
  return kSauceCommand.WriteStdout(json ? JsonRecord(sauce) : TextRecord(sauce)) ? 0 : 1;
}

int Run(int argc, char** argv) {
  TCliArgs args;
  if (!kSauceCommand.Parse(argc, argv, kSauceOptions, args)) return 1;
  if (args.Help) return kSauceCommand.ShowHelp();
  if (!kSauceCommand.ExpectPositionals(args, {"FILE"})) return 1;
  const std::string& path = args.Positional[0];

  // A character the record cannot hold would be stored as "?" unseen.
  for (const auto& [option, value] : args.Options) {
    if (const std::optional<char32_t> bad = FirstUnmappedChar(value)) {
      std::string shown;
      AppendUtf8(shown, *bad);
      char code[16];
      std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(*bad));
      return kSauceCommand.Fail(option + " holds '" + shown + "' (" + code +
                                "), which code page 437 cannot store");
    }
  }
  TSauceEdit edit;
  const struct {
    std::string_view Option;
    std::optional<std::string>& Field;
  } fields[] = {{"--title", edit.Title},
                {"--author", edit.Author},
                {"--group", edit.Group},
                {"--date", edit.Date}};
  for (const auto& f : fields)
    if (const std::string* value = args.Value(f.Option)) f.Field = Utf8ToCp437(*value);
  for (const auto& [option, value] : args.Options) {
    if (option != "--comment") continue;
    if (!edit.Comments) edit.Comments.emplace();
    edit.Comments->push_back(Utf8ToCp437(value));
  }
  const bool writing = edit.Title || edit.Author || edit.Group || edit.Date || edit.Comments;
  if (!writing) return PrintRecord(path, args.Has("--json"));
  if (args.Has("--json"))
    return kSauceCommand.Fail("--json goes with reading a record, not writing one");

  edit.Today = SauceToday();
  edit.IsFontFile = HasFontSignature;
  std::string why;
  if (!WriteSauceFile(path, edit, why)) return kSauceCommand.Fail(path + ": " + why);
  return 0;
}

}  // namespace
