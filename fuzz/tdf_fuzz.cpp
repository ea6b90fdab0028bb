// Feeds arbitrary bytes to the font loader as a font file. The reading
// target (fuzz_tdf) loads, selects every listed font, reads its characters,
// draws each glyph on a screen of its size and rebuilds its glyph block: it
// costs what the file holds, so it runs deep. The editing target
// (fuzz_tdfedit, built with BRIXEL_TDF_EDITS) also lays every glyph out as a
// banner, takes the face, edits a glyph in memory and draws the font as
// edited, deletes, clones and moves fonts, writes a header back and merges
// the file into itself: each of those writes the whole file, so they run in
// a target of their own instead of slowing the reader down. The reading
// target reads the bytes in memory; the editing one also writes them to a
// file in RAM and checks that the file reads the same.

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "console/TextConsole.h"
#include "tdf/BannerLayout.h"
#include "tdf/FontDuplicates.h"
#include "tdf/FontFile.h"
#include "tdf/FontOps.h"
#include "tdf/GlyphBlockCompact.h"
#include "tdf/GlyphEdit.h"
#include "tdf/GlyphRender.h"
#include "tdf/OutlineStyles.h"
#include "util/Files.h"

namespace {

#if BRIXEL_TDF_EDITS
std::string ScratchPath;

void RemoveScratch() {
  if (!ScratchPath.empty()) ::unlink(ScratchPath.c_str());
}

const std::string& Scratch() {
  if (ScratchPath.empty()) {
    for (const char* dir : {"/dev/shm", "/tmp"}) {
      std::string pattern = std::string(dir) + "/brixel-tdf-fuzz-XXXXXX";
      const int fd = ::mkstemp(pattern.data());
      if (fd < 0) continue;
      ::close(fd);
      ScratchPath = pattern;
      std::atexit(RemoveScratch);
      break;
    }
    if (ScratchPath.empty()) {
      std::fputs("tdf_fuzz: no scratch file\n", stderr);
      std::abort();
    }
  }
  return ScratchPath;
}
#endif

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "tdf_fuzz: broken invariant: %s\n", what);
    std::abort();
  }
}

void CheckList(const TFontFile& font, size_t fileSize) {
  Check(!font.Fonts.empty(), "Fonts lost its element 0");
  for (int n = 1; n <= font.Count(); ++n) {
    const TFontRecord& listed = font.Fonts[n];
    Check(listed.Offset >= kSignatureSize, "font header inside the signature");
    Check(static_cast<size_t>(listed.Offset) + kFontHeaderSize <= fileSize,
          "font header past the end of the file");
    Check(listed.Name.size() <= 12, "name longer than 12");
    Check(listed.Name.find('\0') == std::string::npos, "NUL in a listed name");
  }
  if (font.Count() > 0)
    Check(font.Selected >= 1 && font.Selected <= font.Count(), "selection out of range");
  Check(font.Block.size() <= BlockSizeOf(font.Header), "glyph block longer than BlockSize");
}

// Glyphs whose offsets in header are the same read the same record and draw
// alike (many fonts put one glyph under every letter). For each glyph, the
// first glyph with its key (the offset and whatever else sets the outcome,
// below 2^40), so that each group is read once.
template <typename TKey>
std::array<int, kGlyphCount> FirstOfGroups(const TKey& key) {
  std::array<uint64_t, kGlyphCount> order;  // key and index in one number: sorted without calls
  for (int i = 0; i < kGlyphCount; ++i) order[i] = uint64_t{key(i)} << 8 | static_cast<uint64_t>(i);
  std::sort(order.begin(), order.end());
  std::array<int, kGlyphCount> first;
  for (size_t k = 0; k < order.size(); ++k) {
    const int i = static_cast<int>(order[k] & 0xFF);
    const bool same = k > 0 && order[k] >> 8 == order[k - 1] >> 8;
    first[i] = same ? first[order[k - 1] & 0xFF] : i;
  }
  return first;
}

// What every glyph of the selected font draws, read once from the block
// the loader kept: both checks below compare with it.
using TDrawings = std::vector<TGlyphDrawing>;
struct TFontDrawings {
  TDrawings Drawings;
  std::array<int, kGlyphCount> Record;  // the first glyph reading the same record
};
TFontDrawings DrawingsOf(const TFontFile& font) {
  TFontDrawings read{TDrawings(kGlyphCount),
                     FirstOfGroups([&](int i) { return GlyphOffsetOf(font.Header, i); })};
  for (int i = 0; i < kGlyphCount; ++i) {
    const int first = read.Record[i];
    read.Drawings[i] =
        first == i ? GlyphDrawingOf(font.Header, font.Block, i) : read.Drawings[first];
  }
  return read;
}

#if BRIXEL_TDF_EDITS
// Every glyph laid out as a banner at 80 columns: no glyph crosses the width
// unless it stands alone at the start of its line. And the font's face.
void CheckBannerAndFace(const TFontFile& font, const TDrawings& drawings) {
  static std::string allChars;
  if (allChars.empty())
    for (int c = kFirstGlyphChar; c <= kLastGlyphChar; ++c) allChars += static_cast<char>(c);
  const std::string lines[] = {allChars + " " + allChars};
  const TBanner banner = LayOutBanner(font, lines, TBannerStyle{});
  for (const TPlacedGlyph& placed : banner.Glyphs) {
    for (const auto& row : drawings[placed.Ch - kFirstGlyphChar].Rows)
      Check(placed.X == 0 || placed.X + static_cast<int>(row.size()) <= 80, "a glyph cut");
  }
  Check(FontFace(font.Header, font.Block).size() >= 2 + kGlyphCount, "face too short");
}
#endif

// Every glyph the selected font has, each drawn alone as the main screen
// draws its sample, onto a screen just the size of its cells (at most the 79
// columns and 25 rows a glyph reaches from the top-left corner): a whole
// screen per glyph would cost more than the glyph's bytes. The screen must
// show the cells the glyph reads as, each where it belongs.
void DrawEachGlyph(const TFontFile& font, const TDrawings& drawings) {
  const uint8_t type = font.Header.FontType;
  if (type != ftBlock && type != ftColor && type != ftOutline) return;  // draws nothing
  const TFontDrawStyle style{0x1E, static_cast<uint8_t>(font.Selected % kOutlineStyleCount)};
  const bool drawn = MarkerValid(font.Header);
  for (int i = 0; i < kGlyphCount; ++i) {
    const TGlyphDrawing& glyph = drawings[i];
    if (!glyph.Present) continue;
    size_t widest = 0;
    for (const auto& row : glyph.Rows) widest = std::max(widest, row.size());
    const int cols = static_cast<int>(std::min<size_t>(widest, 79));
    const int height = static_cast<int>(std::min<size_t>(glyph.Rows.size(), 25));
    // One column more than the cells: the cursor stays on the row after its last cell.
    TTextConsole screen(cols + 1, height);
    const auto ch = static_cast<uint8_t>(kFirstGlyphChar + i);
    const uint8_t advance = type == ftBlock   ? DrawBlockGlyph(screen, font, 1, 1, ch, style)
                            : type == ftColor ? DrawColorGlyph(screen, font, 1, 1, ch, style)
                                              : DrawOutlineGlyph(screen, font, 1, 1, ch, style);
    Check(advance == (drawn ? glyph.Width : 0), "a glyph advances by other than its width");
    // The whole screen at once: two calls for every cell cost more than
    // drawing the glyph.
    TCellGrid shown;
    uint8_t cursorX = 0, cursorY = 0;
    screen.Snapshot(shown, cursorX, cursorY);
    for (int y = 1; y <= height; ++y) {
      const auto& row = glyph.Rows[y - 1];
      for (int x = 1; x <= cols + 1; ++x) {
        TGlyphCell want{0, 7};  // as cleared
        if (drawn && x <= cols && static_cast<size_t>(x) <= row.size()) {
          const TGlyphCell& cell = row[x - 1];
          want = {type == ftOutline ? OutlineCellChar(style.Outline, cell.Ch) : cell.Ch,
                  type == ftColor ? cell.Attr : style.Attr};
        }
        Check(shown.At(x - 1, y - 1) == TScreenChar{want.Ch, want.Attr},
              "a glyph cell is drawn other than it reads, or elsewhere");
      }
    }
  }
}

// Rebuilding a font's glyph block from the file's bytes, with or without
// storing a glyph, keeps what every other glyph draws, and a rebuilt block
// rebuilds to itself.
void CheckCompaction(std::span<const uint8_t> file, const TFontRecord& font,
                     const TFontDrawings& read) {
  const TDrawings& drawings = read.Drawings;
  const size_t at = static_cast<size_t>(font.Offset) + kFontHeaderSize;
  const size_t end = std::min(file.size(), at + BlockSizeOf(font.Header));
  // A copy of exactly the block, so that a read past it is caught.
  const std::vector<uint8_t> block(file.begin() + at, file.begin() + end);
  static const std::vector<uint8_t> kRecord = {2, 1, 'o', 'k', 0};
  const TGlyphDrawing stored = {true, 2, 1,
                                GlyphCellRows(std::span(kRecord).subspan(2), font.Header.FontType)};
  for (const int replace : {-1, block.empty() ? 0 : block[0] % kGlyphCount}) {
    const std::span<const uint8_t> record = replace < 0 ? std::span<const uint8_t>() : kRecord;
    const auto rebuilt = CompactGlyphBlock(font.Header, block, replace, record);
    if (!rebuilt) {
      Check(block.size() + record.size() > 0xFFFF, "a block that fits was refused");
      continue;
    }
    Check(rebuilt->Bytes.size() <= block.size() + record.size(), "the rebuilt block grew");
    // A glyph that shares its new record and its old drawing with one
    // compared before it compares the same.
    const auto shared = FirstOfGroups([&](int i) {
      const int old = i == replace ? kGlyphCount : read.Record[i];
      return uint64_t{GlyphOffsetOf(rebuilt->Header, i)} << 8 | static_cast<uint64_t>(old);
    });
    for (int i = 0; i < kGlyphCount; ++i) {
      if (shared[i] != i) continue;
      const TGlyphDrawing& want = i == replace ? stored : drawings[i];
      Check(GlyphDrawingOf(rebuilt->Header, rebuilt->Bytes, i) == want,
            "a glyph draws differently after the rebuild");
    }
    const auto again = CompactGlyphBlock(rebuilt->Header, rebuilt->Bytes);
    Check(again && again->Bytes == rebuilt->Bytes &&
              std::memcmp(&again->Header, &rebuilt->Header, kFontHeaderSize) == 0,
          "a rebuilt block changed when rebuilt again");
  }
}

#if BRIXEL_TDF_EDITS
// The first glyph of the font read into the editing model, flipped and
// pasted into, then drawn from the font as edited: the editor's sample.
void EditFirstGlyph(const TFontFile& font) {
  static TTextConsole screen(1);
  TGlyphEdit edit;
  const uint8_t type = font.Header.FontType;
  if (CopyGlyphIn(edit, font, kFirstGlyphChar, type, {}) != TGlyphRead::Found) return;
  const TCellRect all = {0, 0, edit.Picture().Columns() - 1, edit.Picture().Lines() - 1};
  // An edit that changes nothing (a glyph that mirrors into itself) takes no step.
  const int steps = edit.Flip(all, TFlip::Horizontal, type) +
                    edit.Paste(CopyBlock(edit.Picture(), all, type), 1, 1, type);
  for (int i = 0; i < steps; ++i) Check(edit.Undo(), "an edit left no undo step");
  if (const auto edited = EditedFont(font, kFirstGlyphChar + 1, edit.Picture()))
    DrawFontText(screen, *edited, 1, 1, "!\"#");
}

// The first two fonts and the last deleted, cloned and moved both ways (each
// change writes the whole file: every font would slow the fuzzer down), each
// time from the file as it was: a change that is made leaves the list one
// shorter, one longer or as long; a refused one leaves the file as it was.
void RearrangeFonts(std::span<const uint8_t> bytes, const std::string& path, int listed) {
  for (int n = 1; n <= listed; ++n) {
    if (n > 2 && n < listed) continue;
    for (int op = 0; op < 4; ++op) {
      TFileHandle out;
      if (!out.Create(path) || !out.Write(bytes) || !out.Close()) return;
      TFontFile font;
      Check(LoadFontFile(path, font) && font.Count() == listed, "the file loads differently");
      int error = 0, want = listed;
      bool done = false;
      if (op == 0) {
        done = DeleteFont(font, n, error);
        want = listed - 1;
      } else if (op == 1) {
        done = CloneFont(font, n, "Clone", error);
        want = listed + 1;
      } else {
        done = MoveFont(font, n, op == 2 ? TFontMove::Up : TFontMove::Down, error);
      }
      std::vector<uint8_t> now;
      Check(ReadWholeFile(path, now, error), "the file cannot be read back");
      if (!done) {
        Check(std::equal(now.begin(), now.end(), bytes.begin(), bytes.end()),
              "a refused change changed the file");
        continue;
      }
      Check(now.size() == bytes.size() || op < 2, "a move changed the file's size");
      // More than 255 fonts are not all listed.
      Check(LoadFontFile(path, font) && (font.Count() == want || listed >= 255),
            "the list is not as long as it should be");
    }
  }
}
#endif

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  TFontFile font;
  LoadFontBytes(bytes, font);
  CheckList(font, size);
#if BRIXEL_TDF_EDITS
  // The file, read by name, lists and selects what the bytes do.
  const std::string& path = Scratch();
  {
    TFileHandle out;
    if (!out.Create(path) || !out.Write(bytes) || !out.Close()) return 0;
    TFontFile fromFile;
    Check(LoadFontFile(path, fromFile), "an existing, readable file did not load");
    Check(fromFile.Fonts.size() == font.Fonts.size() && fromFile.Selected == font.Selected &&
              fromFile.Block == font.Block &&
              std::memcmp(&fromFile.Header, &font.Header, kFontHeaderSize) == 0,
          "the file reads other than its bytes");
    for (size_t n = 1; n < font.Fonts.size(); ++n)
      Check(fromFile.Fonts[n].Offset == font.Fonts[n].Offset,
            "the file lists other than its bytes");
  }
#endif
  const int listed = font.Count();
  for (int n = 1; n <= listed; ++n) {
    Check(SelectFontIn(bytes, font, n), "a listed font cannot be selected");
    CheckList(font, size);
    Check(GetFontChars(font).size() == kGlyphCount, "GetFontChars is not 94 characters");
    FontTypeName(font);
    const TFontDrawings read = DrawingsOf(font);
    DrawEachGlyph(font, read.Drawings);
    CheckCompaction({data, size}, font.Fonts[n], read);
#if BRIXEL_TDF_EDITS
    CheckBannerAndFace(font, read.Drawings);
    EditFirstGlyph(font);
#endif
  }
  Check(!SelectFontIn(bytes, font, 0) && !SelectFontIn(bytes, font, listed + 1),
        "a font outside the list was selected");

#if BRIXEL_TDF_EDITS
  RearrangeFonts(bytes, path, listed);
  if (listed > 0) {
    {
      TFileHandle out;
      if (!out.Create(path) || !out.Write({data, size}) || !out.Close()) return 0;
      Check(LoadFontFile(path, font) && font.Count() == listed, "the file loads differently");
    }
    // Writing the header back unchanged must leave the same list.
    Check(SelectFont(font, 1) && WriteFontHeader(font), "header write-back failed");
    Check(LoadFontFile(path, font) && font.Count() == listed,
          "the list changed after a write-back");
    CheckList(font, size);
    // Merged into itself, the file gains exactly the whole fonts it had.
    int added = 0, error = 0;
    if (MergeFontFile(font, path, added, error))
      Check(ReloadFontFile(font) && font.Count() == listed + added && added <= listed,
            "a merge lost or invented fonts");
  }
#endif
  return 0;
}
