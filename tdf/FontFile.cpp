#include "tdf/FontFile.h"

#include <algorithm>
#include <cstring>
#include <span>

#include "console/ConsoleLayer.h"
#include "tdf/FontHeaderScan.h"
#include "util/Files.h"
#include "util/Text.h"

std::string FontFileName;
TTDFont FileSignature;
std::vector<TFontRecord> Fonts(1);
int32_t FontCount = 0;
int32_t CurrentFont = 1;
TFontHeader CurrentHeader;
TFontChar GlyphSize;
std::string FontChars;
int FontFileError = 0;

namespace {

constexpr std::string_view kOpenError = "Error Opening File!";

template <typename TRecord>
std::span<uint8_t> RecordBytes(TRecord& r) {
  return {reinterpret_cast<uint8_t*>(&r), sizeof(TRecord)};
}

template <typename TRecord>
std::span<const uint8_t> RecordBytes(const TRecord& r) {
  return {reinterpret_cast<const uint8_t*>(&r), sizeof(TRecord)};
}

void ResetFontList() {
  Fonts.assign(1, TFontRecord{});
  FontCount = 0;
}

// Lists the fonts of the file; the last one listed becomes the current font.
void ScanFonts(TFileHandle& file) {
  ScanFontHeaders(file, Fonts);
  FontCount = static_cast<int32_t>(Fonts.size() - 1);
  if (FontCount > 0) CurrentFont = FontCount;
}

}  // namespace

std::string ListedName(const TFontHeader& h) {
  const size_t len = std::min<size_t>(h.NameLen, h.Name.size());
  const auto end = std::find(h.Name.begin(), h.Name.begin() + len, 0);
  return std::string(h.Name.begin(), end);
}

std::string FontNameOf(int n) {
  return n >= 1 && static_cast<size_t>(n) < Fonts.size() ? Fonts[n].Name : std::string();
}

bool SignatureValid(const TTDFont& sig) {
  const std::string_view text(reinterpret_cast<const char*>(sig.Signature.data()),
                              sig.Signature.size());
  return UpStr(text) == UpStr(kSignatureText);
}

bool HasFontSignature(std::span<const uint8_t> bytes) {
  TTDFont sig;
  if (bytes.size() < sizeof sig) return false;
  std::memcpy(&sig, bytes.data(), sizeof sig);
  return SignatureValid(sig);
}

bool LoadFontFile(const std::string& path) {
  FontFileError = FileProblem(path);
  if (FontFileError != 0) return false;
  FontFileName = path;
  ResetFontList();
  {
    TFileHandle file;
    if (!OpenFontFile(file, path, fuRead)) {
      FontFileError = file.LastError();
      ConWriteLn(kOpenError);
      return false;
    }
    TTDFont sig;
    if (file.ReadExact(RecordBytes(sig)) && SignatureValid(sig)) {
      FileSignature = sig;
      ScanFonts(file);
    }
  }
  if (FontCount > 0) {
    SelectFont(CurrentFont);
    FontChars = GetFontChars();
  }
  return true;
}

bool SelectFont(int n) {
  if (n < 1 || n > FontCount) return false;
  TFileHandle file;
  if (!OpenFontFile(file, FontFileName, fuRead)) {
    ConWriteLn(kOpenError);
    return false;
  }
  // A header the file no longer holds in full is no font; CurrentHeader keeps
  // what it had rather than half a header.
  TFontHeader header;
  if (!file.Seek(Fonts[n].Offset) || !file.ReadExact(RecordBytes(header))) return false;
  CurrentHeader = header;
  if (!MarkerValid(CurrentHeader)) return false;
  CurrentFont = n;
  return true;
}

bool WriteFontHeader() {
  int error = 0;
  return WriteFontHeader(error);
}

bool WriteFontHeader(int& error) {
  error = EINVAL;
  if (CurrentFont < 1 || CurrentFont > FontCount) return false;
  TFileHandle file;
  if (!OpenFontFile(file, FontFileName, fuUpdate)) {
    error = file.LastError();
    ConWriteLn(kOpenError);
    return false;
  }
  std::vector<uint8_t> bytes;
  if (!ReadFontFileRange(file, 0, kToEndOfFile, bytes, error)) return false;
  file.Close();
  // The offset was read when the file was listed. Another program may have
  // changed or replaced the file since; then it holds something else there,
  // and writing the header over it would break that file.
  const auto at = static_cast<size_t>(Fonts[CurrentFont].Offset);
  const bool same =
      at + kFontHeaderSize <= bytes.size() &&
      std::memcmp(bytes.data(), &FileSignature, kSignatureSize) == 0 &&
      std::memcmp(bytes.data() + at, &Fonts[CurrentFont].Header, kFontHeaderSize) == 0;
  if (!same) {
    error = kFontFileChanged;
    return false;
  }
  std::memcpy(bytes.data() + at, &CurrentHeader, kFontHeaderSize);
  return ReplaceFileContents(FontFileName, bytes, error);
}

std::string GetFontChars() { return FontCharsOf(CurrentHeader); }

std::string FontCharsOf(const TFontHeader& header) {
  std::string chars;
  chars.reserve(kGlyphCount);
  for (int i = 0; i < kGlyphCount; ++i) {
    const bool absent = GlyphOffsetOf(header, i) == kAbsentGlyph;
    chars += static_cast<char>(absent ? kAbsentGlyphChar : kFirstGlyphChar + i);
  }
  return chars;
}

std::string FontTypeNameOf(uint8_t fontType) {
  switch (fontType) {
    case ftOutline:
      return "Outline";
    case ftBlock:
      return "Block";
    case ftColor:
      return "Color";
    default:
      return {};
  }
}

std::string FontTypeName() {
  return FontTypeNameOf(CurrentHeader.FontType);
}
