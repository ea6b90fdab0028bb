#include "tdf/FontFileAccess.h"

#include <algorithm>
#include <cerrno>

bool OpenFontFile(TFileHandle& file, const std::string& path, TFontFileUse use) {
  if (file.Open(path, faReadWrite)) return true;
  return use == fuRead && file.Open(path, faRead);
}

std::string FontFileErrorText(int error) {
  switch (error) {
    case kNotAFontFile:
      return "not a font file";
    case kNoFontsToMerge:
      return "no fonts to merge";
    case kIsLoadedFile:
      return "it is the loaded font file";
    case kFontCutShort:
      return "the font is cut short by the end of the file";
    case kOnlyFont:
      return "it is the only font of the file";
    case kAlreadyFirst:
      return "it is the first font of the file";
    case kAlreadyLast:
      return "it is the last font of the file";
    case kFigletFont:
      return "it is a FIGlet font (read only)";
    default:
      return FileErrorText(error);
  }
}

bool ReadFontFileRange(const std::string& path, int64_t offset, size_t length,
                       std::vector<uint8_t>& out) {
  int error = 0;
  return ReadFontFileRange(path, offset, length, out, error);
}

bool ReadFontFileRange(const std::string& path, int64_t offset, size_t length,
                       std::vector<uint8_t>& out, int& error) {
  out.clear();
  error = 0;
  TFileHandle file;
  if (!OpenFontFile(file, path, fuRead)) {
    error = file.LastError();
    return false;
  }
  return ReadFontFileRange(file, offset, length, out, error);
}

bool ReadFontFileRange(TFileHandle& file, int64_t offset, size_t length, std::vector<uint8_t>& out,
                       int& error) {
  out.clear();
  if (offset < 0) {
    error = EINVAL;
    return false;
  }
  const int64_t size = file.Size();
  if (size < 0 || !file.Seek(offset)) {
    error = file.LastError();
    return false;
  }
  // Never allocate more than the file can deliver.
  const int64_t available = size > offset ? size - offset : 0;
  out.resize(static_cast<size_t>(std::min<uint64_t>(static_cast<uint64_t>(available), length)));
  size_t count = 0;
  const bool ok = file.Read(out, count);
  out.resize(count);
  error = ok ? 0 : file.LastError();
  return ok;
}

int64_t TFontSource::Size() {
  return File ? File->Size() : static_cast<int64_t>(Bytes.size());
}

bool TFontSource::ReadExactAt(int64_t position, std::span<uint8_t> out) {
  if (File) return File->ReadExactAt(position, out);
  if (position < 0 || static_cast<uint64_t>(position) > Bytes.size() ||
      out.size() > Bytes.size() - static_cast<size_t>(position))
    return false;
  std::copy_n(Bytes.begin() + position, out.size(), out.begin());
  return true;
}

bool TFontSource::ReadRange(int64_t offset, size_t length, std::vector<uint8_t>& out, int& error) {
  if (File) return ReadFontFileRange(*File, offset, length, out, error);
  out.clear();
  if (offset < 0) {
    error = EINVAL;
    return false;
  }
  error = 0;
  if (static_cast<uint64_t>(offset) < Bytes.size())
    out.assign(Bytes.begin() + offset,
               Bytes.begin() + offset +
                   static_cast<std::ptrdiff_t>(
                       std::min(length, Bytes.size() - static_cast<size_t>(offset))));
  return true;
}
