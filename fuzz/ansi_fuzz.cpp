// Feeds arbitrary bytes to the ANSI interpreter two ways: in chunks (the
// first bytes choose their sizes; one input in four goes in one piece), and
// a byte at a time, which never takes the fast path for runs of characters.
// Both must give the same picture and state, with the cursor inside the
// picture, a parameter text within its limits, and the text export no row
// wider than the picture and no more rows. The third byte chooses the width: mostly 80, else 1 to
// 1,024. Each input costs what it reads: the pictures keep their memory between inputs and only the
// rows an input used are cleared.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
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

TMsgBaseAnsi& Chunked() {
  static TMsgBaseAnsi ansi;
  return ansi;
}
TMsgBaseAnsi& ByteByByte() {
  static TMsgBaseAnsi ansi;
  return ansi;
}

void CheckCursor(const TMsgBaseAnsi& ansi) {
  Check(ansi.CurX >= 1 && ansi.CurX <= ansi.Width(), "cursor column outside the picture");
  Check(ansi.CurY >= 1 && ansi.CurY <= ansi.LastRow(), "cursor row below the last row");
  Check(ansi.Picture().Rows() <= ansi.LastRow(), "rows below the last row");
  Check(AnsiParamsWithinLimits(ansi.PendingParams()), "a parameter text beyond its limits");
}

void CheckText(const TMsgBaseAnsi& ansi) {
  const std::string text = PictureText(ansi.Picture());
  Check(text.empty() || text.back() == '\n', "the text does not end with a line end");
  int rows = 0;
  for (size_t start = 0, end; start < text.size(); start = end + 1, ++rows) {
    end = text.find('\n', start);
    Check(end - start <= static_cast<size_t>(ansi.Width()), "a text row is wider than the picture");
  }
  Check(rows <= ansi.Lines(), "the text has more rows than the picture");
}

// Feeds art in chunks of the sizes next() gives, checking the cursor after
// each; true when the reader stopped.
template <typename TNext>
bool Feed(TMsgBaseAnsi& ansi, std::span<const uint8_t> art, TNext next) {
  bool stopped = false;
  for (size_t at = 0; at < art.size() && !stopped;) {
    const size_t take = std::min(next(), art.size() - at);
    stopped = ansi.ProcessBuffer(art.subspan(at, take));
    at += take;
    CheckCursor(ansi);
  }
  CheckCursor(ansi);
  return stopped;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  // Chunk sizes 1..256 and 1..4096, taken in turn; one input in four is read
  // whole, in one piece.
  const bool inOnePiece = data[0] % 4 == 0;
  const size_t small = inOnePiece ? size : data[0] % 256 + 1;
  const size_t large = (data[1] * 16) % 4096 + 1;
  // Mostly 80 columns; else 1..48 (wrapping often) or 64..1,024 in steps of 64.
  const int width = data[2] < 192 ? 80 : data[2] < 240 ? data[2] - 191 : (data[2] - 239) * 64;
  const std::span<const uint8_t> art(data + 3, size - 3);
  // Blink rather than iCE colours now and then: reverse video differs.
  const bool ice = data[1] % 8 != 0;

  TMsgBaseAnsi& chunked = Chunked();
  chunked.Clear(width);
  chunked.SetIce(ice);
  int turn = 0;
  const bool chunkedStopped = Feed(chunked, art, [&] { return turn++ % 2 ? large : small; });
  CheckText(chunked);

  TMsgBaseAnsi& single = ByteByByte();
  single.Clear(width);
  single.SetIce(ice);
  // A plain loop, its cursor checked once: this pass feeds as many buffers
  // as the input has bytes, and per byte anything more would cost more than
  // the reading.
  bool singleStopped = false;
  for (size_t at = 0; at < art.size() && !singleStopped; ++at)
    singleStopped = single.ProcessBuffer({art.data() + at, 1});
  CheckCursor(single);
  Check(singleStopped == chunkedStopped,
        "a byte-at-a-time reader stops where a chunked one does not");
  // The picture, the cursor, the colours and the state inside a sequence.
  Check(single == chunked, "the byte-at-a-time picture or state differs from the fast one");
  return 0;
}
