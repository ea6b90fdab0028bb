#include "ansi/AnsiArticle.h"

#include <fcntl.h>

#include <cerrno>
#include <vector>

#include "ansi/AnsiFile.h"
#include "util/Files.h"
#include "util/Paths.h"
#include "util/PipeText.h"
#include "util/Text.h"

namespace {

constexpr char kEsc = 27;

// Creates dest for writing only when no file of that name exists: checking
// first and creating afterwards could still overwrite a file made in between.
bool CreateNew(std::string_view dest, TFileHandle& file, int& error) {
  const std::string name(dest);
  int fd;
  do {
    fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    error = errno;
    return false;
  }
  file = TFileHandle(fd);
  return true;
}

}  // namespace

std::string StripEscapes(std::string_view line) {
  std::string out;
  int state = 0;
  for (const char c : line) {
    if (c == kEsc) state = 1;
    if (c == 'm' && state == 1) state = 2;
    if (state == 0) out += c;
    if (state == 2) state = 0;
  }
  return out;
}

std::string ArticleText(std::span<const uint8_t> source) {
  const std::string_view text(reinterpret_cast<const char*>(source.data()), source.size());
  std::string out;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    out += StripEscapes(StripColorCodes(ClipText(text.substr(start, end - start))));
    out += '\n';
    start = end + 1;  // past the CR or LF
    if (end < text.size() && text[end] == '\r' && start < text.size() && text[start] == '\n')
      ++start;
  }
  return out;
}

bool SaveArticle(std::string_view source, std::string_view dest, std::string& why) {
  why.clear();
  std::vector<uint8_t> bytes;
  int error = 0;
  if (!ReadWholeFile(source, bytes, error)) {
    why = "cannot read " + JustName(source) + ": " + FileErrorText(error);
    return false;
  }
  TFileHandle file;
  if (!CreateNew(dest, file, error)) {
    why = error == EEXIST ? JustName(dest) + " exists already"
                          : "cannot create " + JustName(dest) + ": " + FileErrorText(error);
    return false;
  }
  const std::string text = ArticleText(bytes);
  const auto* data = reinterpret_cast<const uint8_t*>(text.data());
  if (!file.Write({data, text.size()}) || !file.Close()) {
    why = "cannot write " + JustName(dest) + ": " + FileErrorText(file.LastError());
    // A cut-off export would only block the next attempt under the same name.
    file.Close();
    EraseFile(dest);
    return false;
  }
  return true;
}
