#include "ansi/AnsiFile.h"

#include <array>
#include <utility>

#include "ansi/SauceFile.h"
#include "ansi/SauceHints.h"
#include "util/Files.h"

namespace {

bool OpenForReading(std::string_view path, TFileHandle& file, int& error) {
  error = 0;
  if (RetryReset(file, path, faRead)) return true;
  error = file.LastError();
  return false;
}

// Calls take(chunk) for each chunk of up to 4096 bytes, from the file's
// current position, until the file ends or take answers true.
template <typename TTake>
bool ReadInChunks(TFileHandle& file, int& error, TTake take) {
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
  std::optional<TSauce> record;
  return LoadAnsiFile(path, ansi, error, record);
}

bool LoadAnsiFile(std::string_view path, TMsgBaseAnsi& ansi, int& error,
                  std::optional<TSauce>& record, int columns) {
  record.reset();
  // A SAUCE record is no part of the picture, also where no byte 26 comes
  // before it to end the drawing. One open serves both reads: the record's
  // from the tail leaves the position at the start, where the content's begins.
  TFileHandle file;
  if (!OpenForReading(path, file, error)) return false;
  TSauce sauce;
  bool found = false;
  int64_t left = 0;
  if (!ReadSauceFile(file, sauce, found, error, left)) return false;
  if (found) record = std::move(sauce);
  ansi.Clear(columns > 0 ? columns : AnsiArtWidth(record));
  return ReadInChunks(file, error, [&](std::span<const uint8_t> chunk) {
    if (static_cast<int64_t>(chunk.size()) > left) chunk = chunk.first(static_cast<size_t>(left));
    left -= static_cast<int64_t>(chunk.size());
    return ansi.ProcessBuffer(chunk) || left <= 0;
  });
}
