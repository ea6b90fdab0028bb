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

TArtRead StartRead(int fileWidth, int maxRows) {
  TArtRead read;
  read.Picture = TArtPicture(std::min(fileWidth, kArtMaxWidth));
  read.Picture.SetMaxRows(maxRows);
  if (fileWidth > kArtMaxWidth) {
    NoteProblem(read, TArtProblem::TooLarge,
                "the picture is " + std::to_string(fileWidth) + " columns wide; the first " +
                    std::to_string(kArtMaxWidth) + " are shown");
  }
  return read;
}

namespace {

// Stores what put does at a cell the picture has, else notes why it cannot.
template <typename TPut>
bool PutInside(TArtRead& read, int64_t x, int64_t y, TPut put) {
  TArtPicture& picture = read.Picture;
  if (x < 0 || x >= picture.Width()) return true;
  const bool stored =
      y >= 0 && y < picture.RowLimit() && put(picture, static_cast<int>(x), static_cast<int>(y));
  // Said once: a file may place millions of cells out of reach.
  if (!stored && read.Problem == TArtProblem::None) {
    NoteProblem(read, TArtProblem::TooLarge,
                "the picture reaches row " + std::to_string(y + 1) + "; rows past " +
                    std::to_string(picture.RowLimit()) + " are dropped");
  }
  return stored;
}

}  // namespace

bool PutCell(TArtRead& read, int64_t x, int64_t y, TScreenChar cell, const TArtTrueColor* colors) {
  return PutInside(read, x, y, [&](TArtPicture& picture, int px, int py) {
    return colors ? picture.Put(px, py, cell, *colors) : picture.Put(px, py, cell);
  });
}

bool PutCells(TArtRead& read, int64_t x, int64_t y, TScreenChar cell, int count) {
  return PutInside(read, x, y, [&](TArtPicture& picture, int px, int py) {
    return picture.PutRun(px, py, count, cell);
  });
}

bool TCellStream::Add(TScreenChar cell, size_t count) {
  const auto width = static_cast<size_t>(FileWidth);
  // A run fills the rest of a row at a time, whole rows at once where the
  // file's rows are the picture's: in a narrow picture one run can fill
  // thousands of them. At the cell limit the row by row path below notes it.
  while (count > 0) {
    if (X == 0 && count >= width && FileWidth == Out.Picture.Width()) {
      const size_t rows = Out.Picture.PutRows(Y, count / width, cell);
      Cells += rows * width;
      count -= rows * width;
      Y += static_cast<int64_t>(rows);
      if (rows > 0) continue;
    }
    const int n = static_cast<int>(std::min<size_t>(count, static_cast<size_t>(FileWidth - X)));
    if (!PutCells(Out, X, Y, cell, n)) return false;
    Cells += static_cast<size_t>(n);
    count -= static_cast<size_t>(n);
    if ((X += n) == FileWidth) {
      X = 0;
      ++Y;
    }
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
