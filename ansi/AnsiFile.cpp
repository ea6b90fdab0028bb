#include "ansi/AnsiFile.h"

#include <array>

#include "ansi/SauceFile.h"
#include "util/Files.h"

namespace {

// Calls take(chunk) for each chunk of up to 4096 bytes until the file ends or
// take answers true.
template <typename TTake>
bool ReadInChunks(std::string_view path, int& error, TTake take) {
  error = 0;
  TFileHandle file;
  if (!RetryReset(file, path, faRead)) {
    error = file.LastError();
    return false;
  }
  std::array<uint8_t, kAnsiReadChunk> buffer{};
  for (;;) {
    size_t count = 0;
    if (!RetryBlockRead(file, buffer, count)) {
      error = file.LastError();
      return false;
    }
    if (count == 0 || take(std::span<const uint8_t>(buffer.data(), count))) return true;
    if (count < buffer.size()) return true;
  }
}

}  // namespace

bool LoadAnsiFile(std::string_view path, TMsgBaseAnsi& ansi, int& error) {
  // A SAUCE record is no part of the picture, also where no byte 26 comes
  // before it to end the drawing.
  TSauce sauce;
  bool found = false;
  int64_t left = 0;
  if (!ReadSauceFile(path, sauce, found, error, left)) return false;
  return ReadInChunks(path, error, [&](std::span<const uint8_t> chunk) {
    if (static_cast<int64_t>(chunk.size()) > left) chunk = chunk.first(static_cast<size_t>(left));
    left -= static_cast<int64_t>(chunk.size());
    return ansi.ProcessBuffer(chunk) || left <= 0;
  });
}

bool ReadWholeFile(std::string_view path, std::vector<uint8_t>& bytes, int& error) {
  bytes.clear();
  return ReadInChunks(path, error, [&](std::span<const uint8_t> chunk) {
    bytes.insert(bytes.end(), chunk.begin(), chunk.end());
    return false;
  });
}
