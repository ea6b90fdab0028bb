#include <algorithm>
#include <string>
#include <string_view>

#include "ansi/ArtReaders.h"
#include "ansi/ArtReading.h"
#include "ansi/SauceHints.h"

namespace {

constexpr std::string_view kTundraId = "\x18TUNDRA24";

// After the id, a stream of characters and commands:
//   1 row col          cursor to (col, row), u32 big-endian each, 0-based
//   2 ch fg            foreground, then ch drawn
//   4 ch bg            background, then ch drawn
//   6 ch fg bg         both, then ch drawn
// Colours are 32-bit big-endian words whose first byte is unused. Any other
// byte is a character drawn in the current colours.
enum : uint8_t { kPosition = 1, kForeground = 2, kBackground = 4, kBoth = 6 };

TRgb ColourAt(std::span<const uint8_t> bytes, size_t at) {
  return {bytes[at + 1], bytes[at + 2], bytes[at + 3]};
}

}  // namespace

TArtRead ReadTundraArt(std::span<const uint8_t> content, const std::optional<TSauce>& sauce,
                       int maxRows) {
  if (content.size() < kTundraId.size() ||
      !std::equal(kTundraId.begin(), kTundraId.end(), content.begin(),
                  [](char a, uint8_t b) { return static_cast<uint8_t>(a) == b; })) {
    TArtRead read;
    NoteProblem(read, TArtProblem::NotThisFormat, "not a TundraDraw file");
    return read;
  }
  int width = 0;
  if (sauce && sauce->DataType == kSauceDataCharacter && sauce->FileType == kSauceFileTundra)
    width = SauceWidth(*sauce);
  if (width <= 0) width = kArtDefaultWidth;
  TArtRead read = StartRead(width, maxRows);
  TArtPicture& picture = read.Picture;
  picture.Hints.IceKnown = true;  // exact colours: nothing blinks

  // Text before the first colour command is black on black, as TundraDraw's
  // own viewers draw it.
  TArtTrueColor colours{{0, 0, 0}, {0, 0, 0}};
  uint8_t attr = 0;
  // The cursor from a position command can be anywhere a u32 reaches.
  int64_t x = 0, y = 0;
  const auto data = content.subspan(kTundraId.size());
  for (size_t i = 0; i < data.size();) {
    const uint8_t command = data[i];
    size_t size = 1;
    if (command == kPosition) size = 9;
    if (command == kForeground || command == kBackground) size = 6;
    if (command == kBoth) size = 10;
    if (data.size() - i < size) {
      NoteProblem(read, TArtProblem::Truncated, "truncated in a TundraDraw command");
      break;
    }
    if (command == kPosition) {
      y = Be32(data, i + 1);
      x = Be32(data, i + 5);
      i += size;
      continue;
    }
    uint8_t ch = command;
    if (size > 1) {
      ch = data[i + 1];
      if (command != kBackground) colours.Fg = ColourAt(data, i + 2);
      if (command == kBackground) colours.Bg = ColourAt(data, i + 2);
      if (command == kBoth) colours.Bg = ColourAt(data, i + 6);
      attr = static_cast<uint8_t>(NearestColor(colours.Fg, kVgaPalette) |
                                  NearestColor(colours.Bg, kVgaPalette) << 4);
    }
    i += size;
    if (x == width) {
      x = 0;
      ++y;
    }
    // A cell out of reach is dropped; a later position may lead back.
    PutCell(read, x, y, {ch, attr}, &colours);
    ++x;
  }
  return read;
}
