#include "tdf/FontFile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <utility>

#include "tdf/FigletImport.h"
#include "tdf/FontHeaderScan.h"
#include "util/Files.h"
#include "util/Text.h"

namespace {

template <typename TRecord>
std::span<uint8_t> RecordBytes(TRecord& r) {
  return {reinterpret_cast<uint8_t*>(&r), sizeof(TRecord)};
}

// Records why a read of font's file failed; answers false for the caller to pass on.
bool ReadFailed(TFontFile& font, int error) {
  font.Error = error;
  font.OpenFailed = error != 0;
  return false;
}

}  // namespace

std::string ListedName(const TFontHeader& h) {
  const size_t len = std::min<size_t>(h.NameLen, h.Name.size());
  const auto end = std::find(h.Name.begin(), h.Name.begin() + len, 0);
  return std::string(h.Name.begin(), end);
}

std::string FontNameOf(const TFontFile& font, int n) {
  return n >= 1 && n <= font.Count() ? font.Fonts[n].Name : std::string();
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

namespace {

// The signature and the font list of source into loaded, which is empty.
void ListFonts(TFontSource& source, TFontFile& loaded) {
  TTDFont sig;
  if (source.ReadExactAt(0, RecordBytes(sig)) && SignatureValid(sig)) {
    loaded.Signature = sig;
    ScanFontHeaders(source, loaded.Fonts);
  }
}

// A FIGlet or TOIlet font in file as loaded's one font, read from a font
// file made of it in memory; nothing for any other file.
void ListFigletFont(TFileHandle& file, TFontFile& loaded) {
  std::array<uint8_t, 5> head{};
  if (!file.ReadExactAt(0, head) || !LooksLikeFigletFile(head)) return;
  std::vector<uint8_t> converted;
  std::string why;
  if (!ReadFigletFontFile(file, loaded.Path, converted, why)) return;
  auto shared = std::make_shared<const std::vector<uint8_t>>(std::move(converted));
  const std::string path = std::move(loaded.Path);
  LoadFontBytes(*shared, loaded);
  loaded.Path = path;
  loaded.Converted = std::move(shared);
}

// SelectFont once font n is known to be listed, reading from source.
bool SelectFrom(TFontSource& source, TFontFile& font, int n) {
  // A header the file no longer holds in full is no font; Header keeps what
  // it had rather than half a header. A short read leaves no error code.
  TFontHeader header;
  const int64_t at = font.Fonts[n].Offset;
  if (!source.ReadExactAt(at, RecordBytes(header))) return ReadFailed(font, source.LastError());
  std::vector<uint8_t> block;
  if (MarkerValid(header)) {
    int error = 0;
    if (!source.ReadRange(at + kFontHeaderSize, BlockSizeOf(header), block, error))
      return ReadFailed(font, error);
  }
  font.Header = header;
  if (!MarkerValid(header)) return false;
  font.Block = std::move(block);
  font.Selected = n;
  return true;
}

}  // namespace

bool LoadFontFile(const std::string& path, TFontFile& font) {
  font.OpenFailed = false;
  font.Error = FileProblem(path);
  if (font.Error != 0) return false;
  TFontFile loaded;
  loaded.Path = path;
  {
    TFileHandle file;
    if (!OpenFontFile(file, path, fuRead)) {
      font = std::move(loaded);
      return ReadFailed(font, file.LastError());
    }
    TFontSource source(file);
    ListFonts(source, loaded);
    if (loaded.Count() == 0 && !SignatureValid(loaded.Signature)) ListFigletFont(file, loaded);
  }
  if (loaded.Count() > 0) SelectFont(loaded, loaded.Count());
  font = std::move(loaded);
  return true;
}

void LoadFontBytes(std::span<const uint8_t> bytes, TFontFile& font) {
  TFontFile loaded;
  TFontSource source(bytes);
  ListFonts(source, loaded);
  if (loaded.Count() > 0) SelectFontIn(bytes, loaded, loaded.Count());
  font = std::move(loaded);
}

bool SelectFont(TFontFile& font, int n) {
  font.Error = 0;
  font.OpenFailed = false;
  if (n < 1 || n > font.Count()) return false;
  if (font.Converted) {
    TFontSource source(*font.Converted);
    return SelectFrom(source, font, n);
  }
  TFileHandle file;
  if (!OpenFontFile(file, font.Path, fuRead)) return ReadFailed(font, file.LastError());
  TFontSource source(file);
  return SelectFrom(source, font, n);
}

bool SelectFontIn(std::span<const uint8_t> bytes, TFontFile& font, int n) {
  font.Error = 0;
  font.OpenFailed = false;
  if (n < 1 || n > font.Count()) return false;
  TFontSource source(bytes);
  return SelectFrom(source, font, n);
}

namespace {

// Loads font's file again and selects the font choose names in the fresh
// list (0: the last, as a load does).
template <typename TChoose>
bool ReloadChoosing(TFontFile& font, TChoose choose) {
  TFontFile fresh;
  if (!LoadFontFile(font.Path, fresh)) {
    font.Error = fresh.Error;
    font.OpenFailed = fresh.OpenFailed;
    return false;
  }
  const int n = choose(fresh);
  const bool selected = n == 0 || n == fresh.Selected || SelectFont(fresh, n);
  font = std::move(fresh);
  return selected;
}

}  // namespace

bool ReloadFontFile(TFontFile& font, int n) {
  return ReloadChoosing(font, [n](const TFontFile&) { return n; });
}

bool WriteFontHeader(const TFontFile& font) {
  int error = 0;
  return WriteFontHeader(font, error);
}

bool ReloadSameFont(TFontFile& font) {
  const int n = font.Selected;
  if (n < 1 || n > font.Count()) return ReloadFontFile(font, n);
  const TFontHeader shown = font.Fonts[n].Header;
  return ReloadChoosing(font, [n, &shown](const TFontFile& fresh) {
    const auto same = [&](int k) {
      return std::memcmp(&fresh.Fonts[k].Header, &shown, kFontHeaderSize) == 0;
    };
    if (n <= fresh.Count() && same(n)) return n;
    for (int k = 1; k <= fresh.Count(); ++k)
      if (same(k)) return k;
    return std::min(n, fresh.Count());
  });
}

bool ReadForChange(const TFontFile& font, int n, TFileLock& lock, std::vector<uint8_t>& bytes,
                   int& error) {
  if (font.Converted) return error = kFigletFont, false;
  if (!lock.Lock(font.Path, error) || !ReadWholeFile(lock.File(), bytes, error)) return false;
  // The offset was read when the file was listed. Another program may have
  // changed or replaced the file since; then it holds something else there,
  // and writing over it would break that file.
  bool same = bytes.size() >= kSignatureSize &&
              std::memcmp(bytes.data(), &font.Signature, kSignatureSize) == 0;
  if (same && n >= 1 && n <= font.Count()) {
    const auto at = static_cast<size_t>(font.Fonts[n].Offset);
    same = at + kFontHeaderSize <= bytes.size() &&
           std::memcmp(bytes.data() + at, &font.Fonts[n].Header, kFontHeaderSize) == 0;
  }
  if (!same) error = kFontFileChanged;
  return same;
}

bool WriteChange(const TFontFile& font, const TFileLock& lock, std::span<const uint8_t> bytes,
                 int& error) {
  return ReplaceFileContents(font.Path, bytes, error, &lock.Stamp());
}

bool WriteFontHeader(const TFontFile& font, int& error) {
  error = EINVAL;
  const int n = font.Selected;
  if (n < 1 || n > font.Count()) return false;
  TFileLock lock;
  std::vector<uint8_t> bytes;
  if (!ReadForChange(font, n, lock, bytes, error)) return false;
  std::memcpy(bytes.data() + font.Fonts[n].Offset, &font.Header, kFontHeaderSize);
  return WriteChange(font, lock, bytes, error);
}

std::string GetFontChars(const TFontFile& font) {
  return font.Selected > 0 ? FontCharsOf(font.Header) : std::string();
}

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

std::string FontTypeName(const TFontFile& font) {
  return FontTypeNameOf(font.Header.FontType);
}
