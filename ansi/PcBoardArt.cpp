#include <algorithm>
#include <string_view>

#include "ansi/ArtReaders.h"
#include "ansi/ArtReading.h"
#include "ansi/SauceHints.h"

namespace {

constexpr uint8_t kEndOfFile = 26;
constexpr size_t kMaxPosDigits = 4;

int HexDigit(uint8_t b) {
  if (b >= '0' && b <= '9') return b - '0';
  if (b >= 'A' && b <= 'F') return b - 'A' + 10;
  if (b >= 'a' && b <= 'f') return b - 'a' + 10;
  return -1;
}

bool StartsWith(std::span<const uint8_t> bytes, std::string_view text) {
  return bytes.size() >= text.size() &&
         std::equal(text.begin(), text.end(), bytes.begin(),
                    [](char a, uint8_t b) { return static_cast<uint8_t>(a) == b; });
}

// The column of "@POS:n@" at the start of bytes (n 1-based), and the code's
// length; 0 when bytes do not start with one.
size_t PosCode(std::span<const uint8_t> bytes, int& column) {
  constexpr std::string_view kPos = "@POS:";
  if (!StartsWith(bytes, kPos)) return 0;
  column = 0;
  size_t i = kPos.size();
  for (; i < bytes.size() && i < kPos.size() + kMaxPosDigits && bytes[i] >= '0' && bytes[i] <= '9';
       ++i)
    column = column * 10 + (bytes[i] - '0');
  if (i == kPos.size() || i >= bytes.size() || bytes[i] != '@') return 0;
  return i + 1;
}

}  // namespace

TArtRead ReadPcBoardArt(std::span<const uint8_t> content, const std::optional<TSauce>& sauce,
                        int maxRows) {
  int width = 0;
  if (sauce && sauce->DataType == kSauceDataCharacter && sauce->FileType == kSauceFilePcBoard)
    width = SauceWidth(*sauce);
  if (width <= 0) width = kArtDefaultWidth;
  TArtRead read = StartRead(width, maxRows);
  TArtPicture& picture = read.Picture;
  picture.Hints.IceKnown = true;  // PCBoard's backgrounds 8-F are bright

  uint8_t attr = 0x07;
  int64_t x = 0, y = 0;
  for (size_t i = 0; i < content.size();) {
    // A row is full as soon as its last column is written, as in ANSI art.
    if (x == width) {
      x = 0;
      ++y;
    }
    const std::span<const uint8_t> rest = content.subspan(i);
    const uint8_t b = rest[0];
    int column = 0;
    if (b == kEndOfFile) break;
    if (b == '\n') {
      x = 0;
      ++y;
      ++i;
    } else if (b == '\r') {
      ++i;
    } else if (b == '\t') {
      x += 8;  // no tab stops, no wrap: past the edge text is cut off until the next row
      ++i;
    } else if (StartsWith(rest, "@X") && rest.size() >= 4 && HexDigit(rest[2]) >= 0 &&
               HexDigit(rest[3]) >= 0) {
      attr = static_cast<uint8_t>(HexDigit(rest[2]) << 4 | HexDigit(rest[3]));
      i += 4;
    } else if (StartsWith(rest, "@CLS@")) {
      picture.Clear();
      x = 0;
      y = 0;
      i += 5;
    } else if (const size_t size = PosCode(rest, column)) {
      x = std::clamp<int64_t>(column - 1, 0, width);
      i += size;
    } else {
      if (!PutCell(read, x, y, {b, attr})) break;
      ++x;
      ++i;
    }
  }
  return read;
}
