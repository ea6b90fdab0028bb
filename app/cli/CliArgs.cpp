#include "app/cli/CliArgs.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>

#include "tdf/FigletImport.h"
#include "tdf/FontFile.h"
#include "util/Cp437.h"
#include "util/Files.h"
#include "util/Numbers.h"

bool TCliArgs::Has(std::string_view name) const {
  return Value(name) != nullptr;
}

const std::string* TCliArgs::Value(std::string_view name) const {
  const std::string* found = nullptr;
  for (const auto& [option, value] : Options)
    if (option == name) found = &value;
  return found;
}

std::vector<std::string> TCliArgs::Values(std::string_view name) const {
  std::vector<std::string> values;
  for (const auto& [option, value] : Options)
    if (option == name) values.push_back(value);
  return values;
}

bool TCliCommand::Parse(int argc, char** argv, std::span<const TCliOption> known,
                        TCliArgs& args) const {
  bool optionsEnded = false;
  for (int i = 0; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
      args.Positional.emplace_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (arg == "--help" || arg == "-h") {
      args.Help = true;
      continue;
    }
    const TCliOption* option = nullptr;
    for (const TCliOption& o : known)
      if (o.Name == arg) option = &o;
    if (!option) {
      Fail("unknown option " + std::string(arg) +
           " (a name or text that starts with '-' goes after --)");
      return false;
    }
    std::string value;
    if (option->TakesValue) {
      if (i + 1 >= argc || std::string_view(argv[i + 1]).empty()) {
        Fail(std::string(arg) + " needs a value");
        return false;
      }
      value = argv[++i];
    }
    args.Options.emplace_back(std::string(arg), value);
  }
  return true;
}

bool TCliCommand::ExpectPositionals(const TCliArgs& args,
                                    std::initializer_list<std::string_view> names) const {
  if (args.Positional.size() < names.size()) {
    Fail("missing " + std::string(names.begin()[args.Positional.size()]));
  } else if (args.Positional.size() > names.size()) {
    Fail("unexpected argument '" + args.Positional[names.size()] + "'");
  } else {
    return true;
  }
  std::fwrite(Usage.data(), 1, Usage.size(), stderr);
  return false;
}

int TCliCommand::ShowHelp() const {
  return WriteStdout(Usage) ? 0 : 1;
}

int TCliCommand::Fail(std::string_view message) const {
  Warn(message);
  return 1;
}

void TCliCommand::Warn(std::string_view message) const {
  std::fprintf(stderr, "brixel-cli %.*s: %.*s\n", static_cast<int>(Name.size()), Name.data(),
               static_cast<int>(message.size()), message.data());
}

bool TCliCommand::ReadNumber(std::string_view name, std::string_view text, int low, int high,
                             int& value) const {
  int parsed = 0;
  const char* end = text.data() + text.size();
  const auto [stop, ec] = std::from_chars(text.data(), end, parsed);
  if (ec == std::errc() && stop == end && parsed >= low && parsed <= high) {
    value = parsed;
    return true;
  }
  Fail(std::string(name) + " takes a number from " + std::to_string(low) + " to " +
       std::to_string(high) + ", not '" + std::string(text) + "'");
  return false;
}

bool TCliCommand::ReadFontName(const std::string& text, std::string& name) const {
  name = Utf8ToCp437(text);
  if (name.empty()) return Fail("NAME is empty"), false;
  constexpr size_t kNameSize = sizeof(TFontHeader::Name);
  if (name.size() > kNameSize) {
    const std::string kept = Cp437ToUtf8(name.substr(0, kNameSize));
    Warn("warning: NAME is longer than 12 characters; stored as '" + kept + "'");
  }
  return true;
}

bool TCliCommand::MayReplace(const TCliArgs& args, const std::string& out) const {
  if (args.Has("--force") || !FileThere(out)) return true;
  Fail(out + " exists; --force replaces it");
  return false;
}

bool TCliCommand::WriteStdout(std::string_view text) const {
  errno = 0;
  const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
  if (std::fflush(stdout) == 0 && written && !std::ferror(stdout)) return true;
  Fail("cannot write the output: " + FileErrorText(errno ? errno : EIO));
  return false;
}

bool TCliCommand::WriteOutputFile(const std::string& path, std::string_view bytes,
                                  std::initializer_list<std::string_view> inputs) const {
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
  return WriteOutputFile(
      path,
      [data, size = bytes.size()](const TByteSink& sink, std::string&) {
        return sink({data, size});
      },
      inputs);
}

bool TCliCommand::WriteOutputFile(const std::string& path, const TOutputWriter& write,
                                  std::initializer_list<std::string_view> inputs) const {
  for (const std::string_view input : inputs) {
    if (SameFile(path, input)) {
      Fail("will not write " + path + ": it is the input " + std::string(input));
      return false;
    }
  }
  int error = 0;
  std::string why;
  const auto writeAll = [&write, &why](const TByteSink& sink) { return write(sink, why); };
  if (ReplaceFileWith(path, writeAll, error)) return true;
  Fail(error == ECANCELED && !why.empty() ? why
                                          : "cannot write " + path + ": " + FileErrorText(error));
  return false;
}

bool TCliCommand::LoadFont(const std::string& path, TFontFile& font) const {
  if (LoadFontFile(path, font)) return true;
  Fail(path + ": " + FileErrorText(font.Error));
  return false;
}

bool TCliCommand::FailNoFonts(const std::string& path) const {
  TFileHandle file;
  std::array<uint8_t, 5> head{};
  std::vector<uint8_t> converted;
  std::string why;
  if (file.Open(path, faRead) && file.ReadExact(head) && LooksLikeFigletFile(head) &&
      !ReadFigletFontFile(file, path, converted, why))
    return Fail(path + ": " + why), false;
  return Fail(path + " holds no fonts"), false;
}

bool TCliCommand::LoadFontAndSelect(const std::string& path, const TCliArgs& args,
                                    TFontFile& font) const {
  if (!LoadFont(path, font)) return false;
  if (font.Count() == 0) return FailNoFonts(path);
  int n = font.Count();
  if (const std::string* value = args.Value("--font"))
    if (!ReadNumber("--font", *value, 1, font.Count(), n)) return false;
  if (SelectFont(font, n)) return true;
  Fail(font.OpenFailed ? path + ": " + FileErrorText(font.Error)
                       : "font " + NumToStr(n) + " has no valid header");
  return false;
}
