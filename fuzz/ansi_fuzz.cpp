// Feeds arbitrary bytes to the ANSI interpreter in an arbitrary chunking (the
// first bytes choose the chunk sizes) and checks that the picture is the one
// the same bytes give in one piece, with the cursor inside the picture, and
// that its text export has no row wider than 80 columns and no more rows.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <span>
#include <string>

#include "ansi/AnsiArticle.h"
#include "ansi/AnsiInterpreter.h"

namespace {

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "ansi_fuzz: broken invariant: %s\n", what);
    std::abort();
  }
}

// Two pictures made once: clearing 800 KB per input is cheaper than allocating it.
TMsgBaseAnsi& Whole() {
  static const auto ansi = std::make_unique<TMsgBaseAnsi>();
  return *ansi;
}
TMsgBaseAnsi& Chunked() {
  static const auto ansi = std::make_unique<TMsgBaseAnsi>();
  return *ansi;
}

void CheckCursor(const TMsgBaseAnsi& ansi) {
  Check(ansi.CurX >= 1 && ansi.CurX <= kAnsiCols, "cursor column outside 1..80");
  Check(ansi.CurY >= 1 && ansi.CurY <= kAnsiRows, "cursor row outside 1..5000");
  Check(ansi.Lines >= 1 && ansi.Lines <= kAnsiRows, "Lines outside 1..5000");
}

void CheckText(const TMsgBaseAnsi& ansi) {
  const std::string text = PictureText(ansi);
  Check(text.empty() || text.back() == '\n', "the text does not end with a line end");
  size_t rows = 0;
  for (size_t start = 0, end; start < text.size(); start = end + 1, ++rows) {
    end = text.find('\n', start);
    Check(end - start <= kAnsiCols, "a text row is longer than 80");
  }
  Check(rows <= ansi.Lines, "the text has more rows than the picture");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  // Chunk sizes 1..256 and 1..4096, taken in turn.
  const size_t small = data[0] % 256 + 1;
  const size_t large = (data[1] * 16) % 4096 + 1;
  const std::span<const uint8_t> art(data + 2, size - 2);

  TMsgBaseAnsi& whole = Whole();
  whole.Clear();
  const bool wholeStopped = whole.ProcessBuffer(art);
  CheckCursor(whole);
  CheckText(whole);

  TMsgBaseAnsi& chunked = Chunked();
  chunked.Clear();
  bool stopped = false;
  size_t at = 0;
  for (int turn = 0; at < art.size() && !stopped; ++turn) {
    const size_t take = std::min(turn % 2 ? large : small, art.size() - at);
    stopped = chunked.ProcessBuffer(art.subspan(at, take));
    at += take;
    CheckCursor(chunked);
  }
  Check(stopped == wholeStopped, "a chunked reader stops where the whole one does not");
  Check(std::memcmp(chunked.Image.data(), whole.Image.data(), sizeof(AnsiImage)) == 0,
        "the chunked picture differs");
  // The cursor, the attribute and the state inside a sequence, too.
  Check(chunked == whole, "the chunked state differs");
  return 0;
}
