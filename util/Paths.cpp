#include "util/Paths.h"

#include <filesystem>
#include <system_error>

#include "util/Text.h"

namespace {

std::string ProgramArg0;

constexpr std::string_view kSeparators = "/\\";

}  // namespace

std::string AddSlash(std::string_view path) {
  path = ClipText(path);
  std::string out(path);
  if (out.empty() || out.back() != '/') out += '/';
  return std::string(ClipText(out));
}

std::string JustPath(std::string_view path) {
  path = ClipText(path);
  if (path.find('/') == std::string_view::npos) return {};
  return std::string(path.substr(0, path.find_last_of(kSeparators) + 1));
}

std::string JustName(std::string_view path) {
  path = ClipText(path);
  const size_t cut = path.find_last_of(kSeparators);
  return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

void SetProgramArg0(const char* arg0) {
  ProgramArg0 = arg0 ? arg0 : "";
}

std::string ProgramDirFrom(std::string_view exePath, std::string_view arg0) {
  // Not clipped to the text length: a cut directory would name another place.
  const std::string_view source = exePath.empty() ? arg0 : exePath;
  const size_t cut = exePath.empty() ? source.find_last_of(kSeparators) : source.rfind('/');
  // Started through PATH, argument 0 has no directory part; the working
  // directory is then a better guess than the root directory.
  if (cut == std::string_view::npos) return "./";
  return std::string(source.substr(0, cut + 1));
}

std::string ProgramDir() {
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ProgramDirFrom(ec ? std::string() : exe.string(), ProgramArg0);
}
