#include "tdf/FontOps.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <span>
#include <vector>

#include "tdf/FontFile.h"
#include "tdf/FontFileAccess.h"
#include "tdf/FontHeaderScan.h"
#include "util/Files.h"
#include "util/Text.h"

namespace {

template <typename TRecord>
void AppendRecord(std::vector<uint8_t>& out, const TRecord& record) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(&record);
  out.insert(out.end(), bytes, bytes + sizeof(TRecord));
}

bool OpenFailure(const TFileHandle& file, int& error) {
  error = file.LastError();
  return false;
}

// Where a font record (header and glyph block) lies in its file.
struct TFontExtent {
  int64_t Offset = 0;
  size_t Size = 0;
};

// The fonts of a font file as the loader lists them, without a last one
// whose glyph block the file does not hold in full. False for a file without
// the signature.
bool WholeFonts(TFontSource& file, std::vector<TFontExtent>& fonts) {
  fonts.clear();
  TTDFont signature;
  if (!file.ReadExactAt(0, {reinterpret_cast<uint8_t*>(&signature), sizeof signature}) ||
      !SignatureValid(signature))
    return false;
  std::vector<TFontRecord> listed;
  ScanFontHeaders(file, listed);
  const int64_t size = file.Size();
  for (const TFontRecord& font : listed) {
    const TFontExtent extent{font.Offset, kFontHeaderSize + size_t{BlockSizeOf(font.Header)}};
    if (extent.Offset + static_cast<int64_t>(extent.Size) <= size) fonts.push_back(extent);
  }
  return true;
}

// The whole font records of the file at path, one after the other.
bool ReadFontsToMerge(const std::string& path, std::vector<uint8_t>& records, int& count,
                      int& error) {
  TFileHandle file;
  if (!OpenFontFile(file, path, fuRead)) return OpenFailure(file, error);
  std::vector<TFontExtent> fonts;
  TFontSource source(file);
  if (!WholeFonts(source, fonts) || fonts.empty()) {
    // A FIGlet font merges as the font the loader makes of it.
    TFontFile figlet;
    if (LoadFontFile(path, figlet) && figlet.Converted) {
      records.assign(figlet.Converted->begin() + kSignatureSize, figlet.Converted->end());
      count = 1;
      return true;
    }
    error = kNoFontsToMerge;
    return false;
  }
  for (const TFontExtent& font : fonts) {
    std::vector<uint8_t> record;
    if (!ReadFontFileRange(file, font.Offset, font.Size, record, error)) return false;
    if (record.size() != font.Size) return error = EIO, false;  // cut short while reading
    records.insert(records.end(), record.begin(), record.end());
  }
  count = static_cast<int>(fonts.size());
  return true;
}

// NameLen and the first 12 characters of name, padded with NUL bytes.
void SetHeaderName(TFontHeader& header, const std::string& name) {
  const std::string s = name.substr(0, header.Name.size());
  header.Name.fill(0);
  std::copy(s.begin(), s.end(), header.Name.begin());
  header.NameLen = static_cast<uint8_t>(s.size());
}

// Where font n's bytes lie in its file: from its header to the next font's
// (bytes the loader skips in between go along), the last one to the end of
// its glyph block or of the file.
struct TFontSpan {
  size_t Start = 0;
  size_t End = 0;
  bool Whole = true;  // the file holds all of its glyph block
};

// A font file as the list of font shows it, read for a change under its
// lock: the whole file and, for n in 1..Count(), Spans[n] (Spans[0] unused).
struct TListedFile {
  TFileLock Lock;
  std::vector<uint8_t> Bytes;
  std::vector<TFontSpan> Spans;
};

// False, with error set, when the file cannot be read, or no longer holds
// exactly the fonts font lists (kFontFileChanged).
bool ReadListedFonts(const TFontFile& font, TListedFile& file, int& error) {
  if (!ReadForChange(font, 0, file.Lock, file.Bytes, error)) return false;
  const std::vector<uint8_t>& bytes = file.Bytes;
  std::vector<TFontRecord> listed(1);
  TFontSource source(bytes);
  ScanFontHeaders(source, listed);
  bool same = listed.size() == font.Fonts.size();
  for (size_t n = 1; same && n < listed.size(); ++n)
    same = listed[n].Offset == font.Fonts[n].Offset &&
           std::memcmp(&listed[n].Header, &font.Fonts[n].Header, kFontHeaderSize) == 0;
  if (!same) return error = kFontFileChanged, false;
  std::vector<TFontSpan>& spans = file.Spans;
  spans.assign(listed.size(), {});
  for (size_t n = 1; n < listed.size(); ++n) {
    const auto start = static_cast<size_t>(listed[n].Offset);
    const size_t blockEnd = start + kFontHeaderSize + BlockSizeOf(listed[n].Header);
    const bool last = n + 1 == listed.size();
    spans[n] = {start,
                last ? std::min(blockEnd, bytes.size()) : static_cast<size_t>(listed[n + 1].Offset),
                blockEnd <= bytes.size()};
  }
  return true;
}

// The bytes [from, to) of a file.
std::span<const uint8_t> Part(const std::vector<uint8_t>& bytes, size_t from, size_t to) {
  return std::span(bytes).subspan(from, to - from);
}

void Append(std::vector<uint8_t>& out, std::span<const uint8_t> part) {
  out.insert(out.end(), part.begin(), part.end());
}

// Reads the file of font for a change of font n: checks n and the file.
bool ReadFontsForChange(const TFontFile& font, int n, TListedFile& file, int& error) {
  if (n < 1 || n > font.Count()) return error = EINVAL, false;
  return ReadListedFonts(font, file, error);
}

}  // namespace

bool CreateFontFile(const std::string& path, const std::string& name, uint8_t fontType,
                    int& error) {
  const TFontHeader header = NewFontHeader(PadRight(name.substr(0, 12), 12, ' '), fontType, 1);
  return CreateFontFileWith(path, {reinterpret_cast<const uint8_t*>(&header), sizeof header},
                            error);
}

bool SetFontName(TFontFile& font, const std::string& name, int& error) {
  SetHeaderName(font.Header, name);
  return WriteFontHeader(font, error);
}

bool SetFontSpacing(TFontFile& font, uint8_t spacing, int& error) {
  font.Header.Spacing = spacing;
  return WriteFontHeader(font, error);
}

bool SetFontType(TFontFile& font, uint8_t fontType, int& error) {
  error = EINVAL;
  if (fontType > ftColor) return false;
  font.Header.FontType = fontType;
  return WriteFontHeader(font, error);
}

bool ExtractFont(const TFontFile& font, const std::string& path, int& error) {
  // Writing the one font over the loaded file would lose every other font.
  if (SameFile(path, font.Path)) return error = kIsLoadedFile, false;
  const int n = font.Selected;
  if (n < 1 || n > font.Count()) return error = EINVAL, false;
  // The header as listed and the glyph block as far as the file holds it
  // (for a FIGlet font, the file made of it in memory).
  TFileHandle file;
  if (!font.Converted && !OpenFontFile(file, font.Path, fuRead)) return OpenFailure(file, error);
  TFontSource source = font.Converted ? TFontSource(*font.Converted) : TFontSource(file);
  std::vector<uint8_t> record;
  if (!source.ReadRange(font.Fonts[n].Offset, kFontHeaderSize + size_t{BlockSizeOf(font.Header)},
                        record, error))
    return false;
  // A file changed since it was listed holds some other bytes there.
  if (record.size() < kFontHeaderSize ||
      std::memcmp(record.data(), &font.Fonts[n].Header, kFontHeaderSize) != 0)
    return error = kFontFileChanged, false;

  std::vector<uint8_t> bytes;
  AppendRecord(bytes, font.Signature);
  AppendRecord(bytes, font.Header);
  bytes.insert(bytes.end(), record.begin() + kFontHeaderSize, record.end());
  return ReplaceFileContents(path, bytes, error);
}

bool MergeFontFile(const TFontFile& font, const std::string& path, int& added, int& error) {
  added = 0;
  std::vector<uint8_t> records;
  int count = 0;
  // Read first: a file merged into itself gives its fonts as they were.
  if (!ReadFontsToMerge(path, records, count, error) || !AddFontRecords(font, records, error))
    return false;
  added = count;
  return true;
}

bool AddFontRecords(const TFontFile& font, std::span<const uint8_t> records, int& error) {
  if (font.Converted) return error = kFigletFont, false;
  TFileLock lock;
  std::vector<uint8_t> bytes;
  if (!lock.Lock(font.Path, error) || !ReadWholeFile(lock.File(), bytes, error)) return false;
  std::vector<TFontExtent> fonts;
  TFontSource target(bytes);
  if (!WholeFonts(target, fonts)) {
    error = kNotAFontFile;
    return false;
  }
  // After the last font and before whatever follows it (a SAUCE record, a
  // font cut short), so a trailer stays last and every font stays reachable.
  const auto at =
      static_cast<size_t>(fonts.empty() ? kSignatureSize : fonts.back().Offset + fonts.back().Size);
  bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(std::min(at, bytes.size())),
               records.begin(), records.end());
  return WriteChange(font, lock, bytes, error);
}

bool CreateFontFileWith(const std::string& path, std::span<const uint8_t> records, int& error) {
  std::vector<uint8_t> bytes;
  AppendRecord(bytes, StandardSignature());
  bytes.insert(bytes.end(), records.begin(), records.end());
  return ReplaceFileContents(path, bytes, error);
}

bool DeleteFont(const TFontFile& font, int n, int& error) {
  TListedFile file;
  if (!ReadFontsForChange(font, n, file, error)) return false;
  const std::vector<uint8_t>& bytes = file.Bytes;
  const std::vector<TFontSpan>& spans = file.Spans;
  if (font.Count() == 1) return error = kOnlyFont, false;
  std::vector<uint8_t> out;
  Append(out, Part(bytes, 0, spans[n].Start));
  Append(out, Part(bytes, spans[n].End, bytes.size()));
  return WriteChange(font, file.Lock, out, error);
}

bool CloneFont(const TFontFile& font, int n, const std::string& name, int& error) {
  TListedFile file;
  if (!ReadFontsForChange(font, n, file, error)) return false;
  const std::vector<uint8_t>& bytes = file.Bytes;
  const std::vector<TFontSpan>& spans = file.Spans;
  // The copy would follow a block that reads on into it.
  if (!spans[n].Whole) return error = kFontCutShort, false;
  TFontHeader header = font.Fonts[n].Header;
  SetHeaderName(header, name);
  const size_t blockAt = spans[n].Start + kFontHeaderSize;
  std::vector<uint8_t> out;
  Append(out, Part(bytes, 0, spans[n].End));
  AppendRecord(out, header);
  Append(out, Part(bytes, blockAt, blockAt + BlockSizeOf(header)));
  Append(out, Part(bytes, spans[n].End, bytes.size()));
  return WriteChange(font, file.Lock, out, error);
}

bool MoveFont(const TFontFile& font, int n, TFontMove direction, int& error) {
  TListedFile file;
  if (!ReadFontsForChange(font, n, file, error)) return false;
  const std::vector<uint8_t>& bytes = file.Bytes;
  const std::vector<TFontSpan>& spans = file.Spans;
  const bool up = direction == TFontMove::Up;
  if (up && n == 1) return error = kAlreadyFirst, false;
  if (!up && n == font.Count()) return error = kAlreadyLast, false;
  const TFontSpan& first = spans[up ? n - 1 : n];
  const TFontSpan& second = spans[up ? n : n + 1];
  // Only the last font can be cut short, and it would come first.
  if (!second.Whole) return error = kFontCutShort, false;
  std::vector<uint8_t> out;
  Append(out, Part(bytes, 0, first.Start));
  Append(out, Part(bytes, second.Start, second.End));
  Append(out, Part(bytes, first.Start, first.End));
  Append(out, Part(bytes, second.End, bytes.size()));
  return WriteChange(font, file.Lock, out, error);
}
