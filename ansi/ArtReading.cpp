#include "ansi/ArtReading.h"

#include <algorithm>
#include <utility>

#include "ansi/ArtColors.h"

bool TByteCursor::Byte(uint8_t& b) {
  if (Left() == 0) return false;
  b = Bytes[At++];
  return true;
}

bool TByteCursor::Take(size_t n, std::span<const uint8_t>& out) {
  if (Left() < n) return false;
  out = Bytes.subspan(At, n);
  At += n;
  return true;
}

uint16_t Le16(std::span<const uint8_t> bytes, size_t at) {
  return static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

uint32_t Be32(std::span<const uint8_t> bytes, size_t at) {
  return (uint32_t{bytes[at]} << 24) | (uint32_t{bytes[at + 1]} << 16) |
         (uint32_t{bytes[at + 2]} << 8) | uint32_t{bytes[at + 3]};
}

void NoteProblem(TArtRead& read, TArtProblem problem, std::string message) {
  if (read.Problem != TArtProblem::None) return;
  read.Problem = problem;
  read.Message = std::move(message);
}

TArtRead StartRead(int fileWidth) {
  TArtRead read;
  read.Picture = TArtPicture(std::min(fileWidth, kArtMaxWidth));
  if (fileWidth > kArtMaxWidth) {
    NoteProblem(read, TArtProblem::TooLarge,
                "the picture is " + std::to_string(fileWidth) + " columns wide; the first " +
                    std::to_string(kArtMaxWidth) + " are shown");
  }
  return read;
}

bool PutCell(TArtRead& read, int64_t x, int64_t y, TScreenChar cell, const TArtTrueColor* colors) {
  TArtPicture& picture = read.Picture;
  if (x < 0 || x >= picture.Width()) return true;
  const bool stored = y >= 0 && y < static_cast<int64_t>(kArtMaxCells) &&
                      (colors ? picture.Put(static_cast<int>(x), static_cast<int>(y), cell, *colors)
                              : picture.Put(static_cast<int>(x), static_cast<int>(y), cell));
  if (!stored) {
    NoteProblem(read, TArtProblem::TooLarge,
                "the picture reaches row " + std::to_string(y + 1) + ", past the " +
                    std::to_string(kArtMaxCells) + " cells it can have; " +
                    std::to_string(picture.Rows()) + " rows are shown");
  }
  return stored;
}

bool TCellStream::Add(TScreenChar cell) {
  if (!PutCell(Out, X, Y, cell)) return false;
  ++Cells;
  if (++X == FileWidth) {
    X = 0;
    ++Y;
  }
  return true;
}

void AddCellPairs(TCellStream& cells, std::span<const uint8_t> bytes) {
  size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {
    if (!cells.Add({bytes[i], bytes[i + 1]})) return;
  }
  if (i < bytes.size())
    NoteProblem(cells.Result(), TArtProblem::Truncated,
                "truncated: the last cell has no attribute");
}

TPalette DacPalette(std::span<const uint8_t> bytes) {
  TPalette palette{};
  for (size_t i = 0; i < palette.size(); ++i)
    palette[i] = {Dac6To8(bytes[3 * i]), Dac6To8(bytes[3 * i + 1]), Dac6To8(bytes[3 * i + 2])};
  return palette;
}
