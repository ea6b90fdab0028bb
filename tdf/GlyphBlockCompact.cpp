#include "tdf/GlyphBlockCompact.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <iterator>

#include "tdf/GlyphRender.h"

namespace {

constexpr size_t kMaxBlockSize = 0xFFFF;

// Bytes of the old block kept as they are: one glyph record, or several that
// share or overlap bytes.
struct TRun {
  size_t Start = 0;
  size_t End = 0;     // one past the last byte
  bool Open = false;  // a glyph in it reads on to the end of the block
};

// What the glyph at offset reads: Width, Height and its cell stream through
// the 0 that ends it, or everything up to the end of the block.
TRun GlyphRun(std::span<const uint8_t> block, size_t offset, uint8_t fontType) {
  if (offset + 2 > block.size()) return {offset, block.size(), true};
  const std::optional<size_t> end = GlyphStreamEnd(block.subspan(offset + 2), fontType);
  if (!end) return {offset, block.size(), true};
  return {offset, offset + 2 + *end, false};
}

// Runs (in the order of their starts) that share a byte become one, in the
// order of the old block. Only a run reaching the end can be open, so an
// open run is the last one.
std::vector<TRun> MergedRuns(const std::vector<TRun>& runs) {
  std::vector<TRun> merged;
  merged.reserve(runs.size());
  for (const TRun& run : runs) {
    if (!merged.empty() && run.Start < merged.back().End) {
      merged.back().End = std::max(merged.back().End, run.End);
      merged.back().Open = merged.back().Open || run.Open;
    } else {
      merged.push_back(run);
    }
  }
  return merged;
}

// The offset of glyph index when it starts on a byte the file holds.
std::optional<size_t> HeldOffset(const TFontHeader& header, std::span<const uint8_t> block,
                                 int index) {
  const std::optional<uint16_t> offset = GlyphOffsetInBlock(header, index);
  if (!offset || *offset >= block.size()) return std::nullopt;
  return *offset;
}

}  // namespace

bool WholeGlyphRecord(std::span<const uint8_t> record, uint8_t fontType) {
  if (record.size() < 3) return false;
  const std::optional<size_t> end = GlyphStreamEnd(record.subspan(2), fontType);
  return end && 2 + *end == record.size();
}

std::optional<TGlyphBlock> CompactGlyphBlock(const TFontHeader& header,
                                             std::span<const uint8_t> block, int replace,
                                             std::span<const uint8_t> record) {
  block = block.first(std::min<size_t>(block.size(), BlockSizeOf(header)));
  const bool replacing = replace >= 0 && replace < kGlyphCount;
  std::array<std::optional<size_t>, kGlyphCount> held;
  std::vector<size_t> starts;
  for (int i = 0; i < kGlyphCount; ++i) {
    held[i] = HeldOffset(header, block, i);
    if (held[i] && !(replacing && i == replace)) starts.push_back(*held[i]);
  }
  // Glyphs often share a record (a font with one glyph for every letter):
  // each start is read once.
  std::sort(starts.begin(), starts.end());
  starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
  std::vector<TRun> runs;
  runs.reserve(starts.size());
  for (const size_t start : starts) runs.push_back(GlyphRun(block, start, header.FontType));
  const std::vector<TRun> kept = MergedRuns(runs);

  // The new record goes where the old one was (a font saved glyph by glyph
  // keeps its order), else at the end; an open run must stay last.
  size_t recordBefore = kept.size();
  if (replacing) {
    if (const std::optional<size_t> old = held[replace])
      recordBefore = static_cast<size_t>(
          std::find_if(kept.begin(), kept.end(), [&](const TRun& r) { return r.Start > *old; }) -
          kept.begin());
    if (!kept.empty() && kept.back().Open) recordBefore = std::min(recordBefore, kept.size() - 1);
  }

  TGlyphBlock out{header, {}};
  out.Bytes.reserve(block.size() + (replacing ? record.size() : 0));
  std::vector<size_t> newStart(kept.size());
  size_t recordAt = 0;
  for (size_t k = 0; k <= kept.size(); ++k) {
    if (replacing && k == recordBefore) {
      recordAt = out.Bytes.size();
      out.Bytes.insert(out.Bytes.end(), record.begin(), record.end());
    }
    if (k == kept.size()) break;
    newStart[k] = out.Bytes.size();
    out.Bytes.insert(out.Bytes.end(), block.begin() + static_cast<std::ptrdiff_t>(kept[k].Start),
                     block.begin() + static_cast<std::ptrdiff_t>(kept[k].End));
  }
  if (out.Bytes.size() > kMaxBlockSize) return std::nullopt;

  // Every new offset lies inside a block of at most 65535 bytes, so none reads as absent.
  for (int i = 0; i < kGlyphCount; ++i) {
    uint16_t offset = kAbsentGlyph;
    if (replacing && i == replace) {
      offset = static_cast<uint16_t>(recordAt);
    } else if (const std::optional<size_t> old = held[i]) {
      const auto run = std::prev(std::upper_bound(
          kept.begin(), kept.end(), *old, [](size_t at, const TRun& r) { return at < r.Start; }));
      offset = static_cast<uint16_t>(newStart[run - kept.begin()] + (*old - run->Start));
    }
    SetGlyphOffset(out.Header, i, offset);
  }
  SetBlockSize(out.Header, static_cast<uint16_t>(out.Bytes.size()));
  return out;
}
