// brixel-cli export and import: TheDraw fonts written as FIGlet and TOIlet
// fonts, and those fonts made into TheDraw fonts.

#include <cerrno>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "app/cli/CliArgs.h"
#include "app/cli/CliCommands.h"
#include "tdf/FigletExport.h"
#include "tdf/FigletImport.h"
#include "tdf/FontFile.h"
#include "tdf/FontFileAccess.h"
#include "tdf/FontOps.h"
#include "tdf/OutlineStyles.h"
#include "util/Cp437.h"
#include "util/Files.h"
#include "util/Numbers.h"

namespace {
int RunExport(int argc, char** argv);
int RunImport(int argc, char** argv);
}  // namespace

const TCliCommand kExportCommand(
    "export", "a font written as a FIGlet or TOIlet font, for figlet, toilet and their kin",
    "usage: brixel-cli export --format flf|tlf [--font N | --all] [--outline-style S]\n"
    "                         [--force] [--] FILE OUT\n"
    "  OUT: the font file written; with --all a folder, which gets every font of FILE\n"
    "    as NAME.flf or NAME.tlf (NAME-N when two fonts share a name)\n"
    "  --force: replace the files written when they exist\n"
    "  --format: flf for figlet, tlf for toilet; both hold the characters as UTF-8,\n"
    "    set side by side at full width, without colours\n"
    "  S: the style Outline fonts are written in, 0-18 (default 0)\n",
    RunExport);

const TCliCommand kImportCommand(
    "import", "a FIGlet or TOIlet font made into a TheDraw font, added to a font file",
    "usage: brixel-cli import [--type block|color] [--name NAME] [--] FILE OUT\n"
    "  FILE: a FIGlet (.flf) or TOIlet (.tlf) font, also one packed in a zip archive\n"
    "  OUT: the TheDraw font file the font is added to, after its last font, or a new one\n"
    "  --type: a Block font (the default) or a Color font drawn white on black\n"
    "  --name: the font's name, up to 12 characters (default: FILE's name)\n",
    RunImport);

namespace {

constexpr TCliOption kExportOptions[] = {{"--format", true},
                                         {"--font", true},
                                         {"--all", false},
                                         {"--outline-style", true},
                                         {"--force", false}};
constexpr TCliOption kImportOptions[] = {{"--type", true}, {"--name", true}};

// A file name for font n: its name as UTF-8 with the characters a file
// name cannot hold as '_', or NAME-N when the name was taken already.
std::string ExportFileName(const TFontFile& font, int n, std::string_view extension,
                           std::set<std::string>& taken) {
  std::string name = Cp437ToUtf8(FontNameOf(font, n));
  name.erase(0, name.find_first_not_of(' '));
  name.erase(name.find_last_not_of(' ') + 1);
  for (char& c : name)
    if (c == '/' || static_cast<uint8_t>(c) < 32) c = '_';
  if (name.empty() || name[0] == '.') name = "font" + name;
  if (!taken.insert(name).second) taken.insert(name += "-" + NumToStr(n));
  return name + std::string(extension);
}

bool WriteFiglet(const TFontFile& font, const TCliArgs& args, const TFigletExport& how,
                 const std::string& out) {
  if (!kExportCommand.MayReplace(args, out)) return false;
  if (FontTypeName(font).empty()) {
    kExportCommand.Fail("font " + NumToStr(font.Selected) +
                        " cannot be drawn: it is of unknown type " +
                        NumToStr(font.Header.FontType));
    return false;
  }
  return kExportCommand.WriteOutputFile(out, FigletFontText(font, how), {font.Path});
}

// Every font of font's file into the folder out, made when it is missing.
int ExportAll(TFontFile& font, const TCliArgs& args, const TFigletExport& how,
              const std::string& out) {
  std::error_code ec;
  std::filesystem::create_directories(out, ec);
  if (!std::filesystem::is_directory(out))
    return kExportCommand.Fail("cannot make the folder " + out + ": " +
                               FileErrorText(ec ? ec.value() : ENOTDIR));
  const std::string extension = how.Form == TFigletForm::Flf ? ".flf" : ".tlf";
  std::set<std::string> taken;
  int written = 0;
  for (int n = 1; n <= font.Count(); ++n) {
    const std::string name = ExportFileName(font, n, extension, taken);
    if (!SelectFont(font, n)) {
      kExportCommand.Warn("font " + NumToStr(n) + " has no valid header: not written");
      continue;
    }
    written += WriteFiglet(font, args, how, out + "/" + name);
  }
  const std::string count = NumToStr(written) + " of " + NumToStr(font.Count());
  if (!kExportCommand.WriteStdout(count + " fonts written to " + out + "\n")) return 1;
  return written == font.Count() ? 0 : 1;
}

int RunExport(int argc, char** argv) {
  TCliArgs args;
  if (!kExportCommand.Parse(argc, argv, kExportOptions, args)) return 1;
  if (args.Help) return kExportCommand.ShowHelp();
  if (!kExportCommand.ExpectPositionals(args, {"FILE", "OUT"})) return 1;
  const std::string* format = args.Value("--format");
  if (!format || (*format != "flf" && *format != "tlf"))
    return kExportCommand.Fail("--format takes flf or tlf" +
                               (format ? ", not '" + *format + "'" : std::string()));
  if (args.Has("--all") && args.Has("--font"))
    return kExportCommand.Fail("--all and --font exclude each other");
  int style = 0;
  if (const std::string* value = args.Value("--outline-style"))
    if (!kExportCommand.ReadNumber("--outline-style", *value, 0, kOutlineStyleCount - 1, style))
      return 1;
  const std::string& path = args.Positional[0];
  const std::string& out = args.Positional[1];
  TFigletExport how{*format == "flf" ? TFigletForm::Flf : TFigletForm::Tlf,
                    {7, static_cast<uint8_t>(style)},
                    path};
  TFontFile font;
  if (args.Has("--all")) {
    if (!kExportCommand.LoadFont(path, font)) return 1;
    if (font.Count() == 0) return kExportCommand.FailNoFonts(path), 1;
    return ExportAll(font, args, how, out);
  }
  if (!kExportCommand.LoadFontAndSelect(path, args, font)) return 1;
  return WriteFiglet(font, args, how, out) ? 0 : 1;
}

int RunImport(int argc, char** argv) {
  const TCliCommand& command = kImportCommand;
  TCliArgs args;
  if (!command.Parse(argc, argv, kImportOptions, args)) return 1;
  if (args.Help) return command.ShowHelp();
  if (!command.ExpectPositionals(args, {"FILE", "OUT"})) return 1;
  const std::string& path = args.Positional[0];
  const std::string& out = args.Positional[1];
  TFigletImport how{ftBlock, FontNameFromPath(path)};
  if (const std::string* type = args.Value("--type")) {
    if (*type != "block" && *type != "color")
      return command.Fail("--type takes block or color, not '" + *type + "'");
    how.FontType = *type == "color" ? ftColor : ftBlock;
  }
  if (const std::string* name = args.Value("--name"))
    if (!command.ReadFontName(*name, how.Name)) return 1;

  std::vector<uint8_t> bytes, record;
  int error = 0;
  if (!ReadWholeFile(path, bytes, error, kMaxFigletFontBytes))
    return command.Fail(path + ": " + FileErrorText(error));
  TFigletFont figlet;
  std::vector<std::string> notes;
  std::string why;
  if (!ReadFigletFont(bytes, figlet, why) || !FigletToTdfFont(figlet, how, record, notes, why))
    return command.Fail(path + ": " + why);
  for (const std::string& note : notes) command.Warn("note: " + note);
  if (SameFile(out, path)) return command.Fail("will not write " + out + ": it is the input");

  bool written = false;
  if (FileProblem(out) == ENOENT) {
    written = CreateFontFileWith(out, record, error);
  } else {
    TFontFile target;
    if (!command.LoadFont(out, target)) return 1;
    written = AddFontRecords(target, record, error);
  }
  if (!written)
    return command.Fail("cannot add the font to " + out + ": " + FontFileErrorText(error));
  return command.WriteStdout("font '" + Cp437ToUtf8(how.Name.substr(0, 12)) + "' added to " + out +
                             "\n")
             ? 0
             : 1;
}

}  // namespace
