#include "tdf/FontOps.h"

#include <algorithm>
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

// The fonts of an open font file as the loader lists them, without a last
// one whose glyph block the file does not hold in full. False for a file
// without the signature.
bool WholeFonts(TFileHandle& file, std::vector<TFontExtent>& fonts) {
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
  if (!WholeFonts(file, fonts) || fonts.empty()) {
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

}  // namespace

bool CreateFontFile(const std::string& path, const std::string& name, uint8_t fontType,
                    int& error) {
  std::vector<uint8_t> bytes;
  AppendRecord(bytes, StandardSignature());
  TFontHeader header = NewFontHeader(PadRight(name.substr(0, 12), 12, ' '), fontType, 1);
  AppendRecord(bytes, header);
  return ReplaceFileContents(path, bytes, error);
}

bool SetFontName(TFontFile& font, const std::string& name, int& error) {
  TFontHeader& header = font.Header;
  const std::string s = name.substr(0, header.Name.size());
  header.Name.fill(0);
  std::copy(s.begin(), s.end(), header.Name.begin());
  header.NameLen = static_cast<uint8_t>(s.size());
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
  // The header as listed and the glyph block as far as the file holds it.
  TFileHandle source;
  if (!OpenFontFile(source, font.Path, fuRead)) return OpenFailure(source, error);
  std::vector<uint8_t> record;
  if (!ReadFontFileRange(source, font.Fonts[n].Offset,
                         kFontHeaderSize + size_t{BlockSizeOf(font.Header)}, record, error))
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
  if (!ReadFontsToMerge(path, records, count, error)) return false;
  TFileHandle target;
  if (!OpenFontFile(target, font.Path, fuUpdate)) return OpenFailure(target, error);
  std::vector<TFontExtent> fonts;
  if (!WholeFonts(target, fonts)) {
    error = kNotAFontFile;
    return false;
  }
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(target, bytes, error)) return false;
  target.Close();
  // After the last font and before whatever follows it (a SAUCE record, a
  // font cut short), so a trailer stays last and every font stays reachable.
  const auto at =
      static_cast<size_t>(fonts.empty() ? kSignatureSize : fonts.back().Offset + fonts.back().Size);
  bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(std::min(at, bytes.size())),
               records.begin(), records.end());
  if (!ReplaceFileContents(font.Path, bytes, error)) return false;
  added = count;
  return true;
}
