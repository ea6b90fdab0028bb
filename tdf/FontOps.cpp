#include "tdf/FontOps.h"

#include <unistd.h>

#include <algorithm>
#include <span>
#include <vector>

#include "console/ConsoleLayer.h"
#include "tdf/FontFile.h"
#include "tdf/FontFileAccess.h"
#include "util/Files.h"
#include "util/Text.h"

namespace {

constexpr char kOpenError[] = "Error Opening File!";

template <typename TRecord>
void AppendRecord(std::vector<uint8_t>& out, const TRecord& record) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(&record);
  out.insert(out.end(), bytes, bytes + sizeof(TRecord));
}

bool ReportOpenFailure() {
  ConWriteLn(kOpenError);
  return false;
}

}  // namespace

bool CreateFontFile(const std::string& path, const std::string& name, uint8_t fontType) {
  std::vector<uint8_t> bytes;
  AppendRecord(bytes, StandardSignature());
  TFontHeader header = NewFontHeader(PadRight(name.substr(0, 12), 12, ' '), fontType, 1);
  AppendRecord(bytes, header);
  int error = 0;
  return ReplaceFileContents(path, bytes, error);
}

bool SetFontName(const std::string& name) {
  const std::string s = name.substr(0, CurrentHeader.Name.size());
  CurrentHeader.Name.fill(0);
  std::copy(s.begin(), s.end(), CurrentHeader.Name.begin());
  CurrentHeader.NameLen = static_cast<uint8_t>(s.size());
  return WriteFontHeader();
}

bool SetFontSpacing(uint8_t spacing) {
  CurrentHeader.Spacing = spacing;
  return WriteFontHeader();
}

bool SetFontType(uint8_t fontType) {
  if (fontType > ftColor) return false;
  CurrentHeader.FontType = fontType;
  return WriteFontHeader();
}

bool ExtractFont(const std::string& path) {
  // Writing the one font over the loaded file would lose every other font.
  if (SameFile(path, FontFileName)) return false;
  if (CurrentFont < 1 || CurrentFont > FontCount) return false;
  // The glyph block as far as the file holds it.
  const int64_t blockStart = static_cast<int64_t>(Fonts[CurrentFont].Offset) + kFontHeaderSize;
  std::vector<uint8_t> block;
  if (!ReadFontFileRange(FontFileName, blockStart, BlockSizeOf(CurrentHeader), block))
    return ReportOpenFailure();

  std::vector<uint8_t> bytes;
  AppendRecord(bytes, FileSignature);
  AppendRecord(bytes, CurrentHeader);
  bytes.insert(bytes.end(), block.begin(), block.end());
  int error = 0;
  return ReplaceFileContents(path, bytes, error) || ReportOpenFailure();
}

bool MergeFontFile(const std::string& path) {
  std::vector<uint8_t> tail;
  if (!ReadFontFileRange(path, kSignatureSize, kToEndOfFile, tail)) return ReportOpenFailure();
  TFileHandle target;
  if (!OpenFontFile(target, FontFileName, fuUpdate)) return ReportOpenFailure();
  const int64_t oldSize = target.Size();
  if (oldSize < 0 || !target.SeekEnd()) return false;
  if (target.Write(tail) && ::fsync(target.Descriptor()) == 0 && target.Close()) return true;
  // Put the file back as it was rather than leave half a font at its end.
  target.Close();
  if (::truncate(FontFileName.c_str(), oldSize) != 0) ConWriteLn(kOpenError);
  return false;
}
