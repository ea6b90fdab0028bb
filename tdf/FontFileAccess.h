#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "util/Files.h"

// How the font code opens an existing font file. Nothing keeps a font file
// open between operations: each one opens it by name and closes it again.

enum TFontFileUse : uint8_t {
  fuRead,    // read-write where allowed, else read-only, so protected files can be viewed
  fuUpdate,  // read-write only: the operation writes
};

bool OpenFontFile(TFileHandle& file, const std::string& path, TFontFileUse use);

// Why a change to a font file was refused, beyond the system's error codes.
enum : int {
  // The header to change is no longer where the file was listed, or the
  // file changed between the read and the write of a change.
  kFontFileChanged = kFileChanged,
  kNotAFontFile = 0x10101,  // no font file signature
  kNoFontsToMerge,          // the other file of a merge holds no whole font
  kIsLoadedFile,            // a font extracted over the file it comes from
  kFontCutShort,            // the font's glyph block runs past the end of the file
  kOnlyFont,                // deleting the one font would leave a file without fonts
  kAlreadyFirst,            // a font moved up that is first already
  kAlreadyLast,             // a font moved down that is last already
  kFigletFont,              // a change to a font read from a FIGlet or TOIlet font
};
// The reason for any of these or a system error code, in a user's words.
std::string FontFileErrorText(int error);

// A font file's bytes as the font code reads them: from an open file, a
// piece at a time (bundles hold megabytes of glyphs a list never reads), or
// from bytes already in memory. One reader of the format serves both.
class TFontSource {
 public:
  explicit TFontSource(TFileHandle& file) : File(&file) {}
  explicit TFontSource(std::span<const uint8_t> bytes) : Bytes(bytes) {}

  // The size in bytes, or -1 when the file cannot tell.
  int64_t Size();
  // True only when all of out was filled from position on.
  bool ReadExactAt(int64_t position, std::span<uint8_t> out);
  // As ReadFontFileRange reads an open file.
  bool ReadRange(int64_t offset, size_t length, std::vector<uint8_t>& out, int& error);
  // The errno of the last failed read of the file; 0 for bytes in memory.
  int LastError() const { return File ? File->LastError() : 0; }

 private:
  TFileHandle* File = nullptr;
  std::span<const uint8_t> Bytes;
};

// Reads up to length bytes from offset (fewer at the end of the file) into out;
// kToEndOfFile reads the rest of the file, as long as it was when the read
// began. False when the file cannot be opened or read.
constexpr size_t kToEndOfFile = static_cast<size_t>(-1);
bool ReadFontFileRange(const std::string& path, int64_t offset, size_t length,
                       std::vector<uint8_t>& out);
// The same; error holds the errno when the answer is false.
bool ReadFontFileRange(const std::string& path, int64_t offset, size_t length,
                       std::vector<uint8_t>& out, int& error);
// The same from a file already open.
bool ReadFontFileRange(TFileHandle& file, int64_t offset, size_t length, std::vector<uint8_t>& out,
                       int& error);
