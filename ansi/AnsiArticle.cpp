#include "ansi/AnsiArticle.h"

#include <fcntl.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "util/Files.h"
#include "util/Paths.h"

namespace {

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

// The errors of a folder the user may not write into, where another folder
// may still take the file.
bool IsFolderRefusal(int error) {
  return error == EACCES || error == EPERM || error == EROFS;
}

// Each cell's byte in the text: 0 and 255 are the blanks the viewer shows
// for them. One lookup a cell, where three comparisons were: a tall picture
// has hundreds of thousands of cells.
constexpr std::array<char, 256> kTextByte = [] {
  std::array<char, 256> table{};
  for (int c = 0; c < 256; ++c) table[c] = static_cast<char>(c);
  table[0] = table[255] = ' ';
  return table;
}();

bool IsZero(std::span<const TScreenChar> row) {
  static const std::array<TScreenChar, kArtMaxWidth> kZeroRow{};
  return std::memcmp(row.data(), kZeroRow.data(), row.size_bytes()) == 0;
}

}  // namespace

std::string PictureText(const TArtPicture& picture) {
  std::string out;
  size_t kept = 0;  // the text up to the end of the last row with anything on it
  for (int y = 0; y < picture.Rows(); ++y) {
    const std::span<const TScreenChar> row = picture.Row(y);
    // A row nothing was printed in is all zero: one comparison finds it. A
    // cursor moved far down makes thousands of them.
    size_t end = IsZero(row) ? 0 : row.size();
    while (end > 0 && kTextByte[row[end - 1].Ch] == ' ') --end;
    // Sized once per row, then written in place.
    const size_t at = out.size();
    out.resize(at + end + 1, '\n');
    char* text = out.data() + at;
    for (size_t x = 0; x < end; ++x) text[x] = kTextByte[row[x].Ch];
    if (end > 0) kept = out.size();
  }
  out.resize(kept);
  return out;
}

std::string ArticleName(std::string_view artFile) {
  const std::string name = JustName(artFile);
  const size_t dot = name.rfind('.');
  // A leading dot starts a hidden name, not an extension.
  return (dot == std::string::npos || dot == 0 ? name : name.substr(0, dot)) + ".txt";
}

bool SaveArticle(const TArtPicture& picture, std::string_view dest, std::string& why, int& error,
                 bool replace) {
  why.clear();
  error = 0;
  if (replace) {
    const std::string text = PictureText(picture);
    if (ReplaceFileContents(dest, {reinterpret_cast<const uint8_t*>(text.data()), text.size()},
                            error))
      return true;
    why = "cannot write " + JustName(dest) + ": " + FileErrorText(error);
    return false;
  }
  TFileHandle file;
  if (!CreateNew(dest, file, error)) {
    why = error == EEXIST ? JustName(dest) + " exists already"
                          : "cannot create " + JustName(dest) + ": " + FileErrorText(error);
    return false;
  }
  const std::string text = PictureText(picture);
  const auto* data = reinterpret_cast<const uint8_t*>(text.data());
  if (!file.Write({data, text.size()}) || !file.Close()) {
    error = file.LastError();
    why = "cannot write " + JustName(dest) + ": " + FileErrorText(error);
    // A cut-off export would only block the next attempt under the same name.
    file.Close();
    EraseFile(dest);
    return false;
  }
  return true;
}

bool SaveArticleBeside(const TArtPicture& picture, std::string_view artFile, std::string_view name,
                       std::string_view fallbackDir, std::string& path, std::string& why,
                       std::string replace) {
  path.clear();
  const bool plainName = name.find('/') == std::string_view::npos;
  const std::string dest = plainName ? JustPath(artFile) + std::string(name) : std::string(name);
  int error = 0;
  // Only a file in the way, or a written one, is named in path.
  const auto save = [&](const std::string& target) {
    const bool saved = SaveArticle(picture, target, why, error, target == replace);
    if (saved || error == EEXIST) path = target;
    return saved;
  };
  const std::string other = AddSlash(fallbackDir) + std::string(name);
  // The file the user agreed to write over is the fallback's: the art's
  // folder refused the name before.
  if (plainName && replace == other && replace != dest) return save(other);
  if (save(dest)) return true;
  // Art is often viewed where the user cannot write (a CD, a shared folder).
  if (!plainName || !IsFolderRefusal(error)) return false;
  return save(other);
}
