#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "ansi/ArtReaders.h"

// Helpers the art readers share: reading bytes without passing the end,
// placing a stream of cells row by row, and noting what went wrong.

// A cursor over a file's bytes; every read says whether the bytes were there.
class TByteCursor {
 public:
  explicit TByteCursor(std::span<const uint8_t> bytes) : Bytes(bytes) {}

  size_t Left() const { return Bytes.size() - At; }
  bool Byte(uint8_t& b);
  // The next n bytes, or false (taking nothing) when fewer are left.
  bool Take(size_t n, std::span<const uint8_t>& out);

 private:
  std::span<const uint8_t> Bytes;
  size_t At = 0;
};

uint16_t Le16(std::span<const uint8_t> bytes, size_t at);
uint32_t Be32(std::span<const uint8_t> bytes, size_t at);

// Keeps the first problem of a read: the one that explains the rest.
void NoteProblem(TArtRead& read, TArtProblem problem, std::string message);

// A read whose picture has the file's width, cut to kArtMaxWidth columns
// (and the cut noted), and may have maxRows rows (SetMaxRows).
TArtRead StartRead(int fileWidth, int maxRows);

// Stores a cell at a cursor position a file gave, which can be anywhere: a
// cell right of the picture is dropped. False, with the problem noted, when
// the picture cannot grow to row y (past its row limit).
bool PutCell(TArtRead& read, int64_t x, int64_t y, TScreenChar cell,
             const TArtTrueColor* colors = nullptr);
// The same for count copies of a cell in row y from x rightwards.
bool PutCells(TArtRead& read, int64_t x, int64_t y, TScreenChar cell, int count);

// Places cells in file order, row by row, wrapping at the file's width;
// cells past the picture's width are dropped.
class TCellStream {
 public:
  TCellStream(TArtRead& read, int fileWidth) : Out(read), FileWidth(fileWidth) {}
  // count copies of a cell, row by row. False when the picture can hold no
  // more cells (the problem is noted).
  bool Add(TScreenChar cell, size_t count = 1);
  size_t Count() const { return Cells; }
  TArtRead& Result() { return Out; }

 private:
  TArtRead& Out;
  int FileWidth;
  int X = 0;
  int64_t Y = 0;
  size_t Cells = 0;
};

// Cells of (character, attribute) pairs from bytes until they end; an odd
// last byte is noted as a truncated cell.
void AddCellPairs(TCellStream& cells, std::span<const uint8_t> bytes);

// 16 palette entries of three 6-bit components from bytes (48 or more).
TPalette DacPalette(std::span<const uint8_t> bytes);
