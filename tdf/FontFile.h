#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "tdf/FontFileAccess.h"
#include "tdf/TdfFormat.h"

// A loaded font file: its font list, the selected font's header and that
// font's glyph block, read into memory so drawing never goes back to the
// disk. A value like any other: the shell keeps one, the browser, the glyph
// editor and brixel-cli keep their own. All header edits go through Header
// and WriteFontHeader.
struct TFontFile {
  std::string Path;   // the name LoadFontFile was given
  TTDFont Signature;  // the file's first 20 bytes when they are a valid signature
  std::vector<TFontRecord> Fonts = std::vector<TFontRecord>(1);  // Fonts[n] is font n; [0] unused
  int32_t Selected = 0;        // 1-based; 0 while no font is selected
  TFontHeader Header;          // the selected font's header, as last read
  std::vector<uint8_t> Block;  // its glyph block, as far as the file holds it
  // Why the last LoadFontFile or SelectFont answered false: an errno or
  // kNotRegularFile, 0 after a success and for a font that is no valid font.
  int Error = 0;
  // True when that failure came from a file that is there but could not be
  // opened or read, false when the name names no file to open.
  bool OpenFailed = false;
  // For a FIGlet or TOIlet font: the font file made of it in memory, which
  // every read of the font uses. Such a font is never written back: the
  // changes refuse it (kFigletFont).
  std::shared_ptr<const std::vector<uint8_t>> Converted;

  // Every font of the file, however many.
  int32_t Count() const { return static_cast<int32_t>(Fonts.size()) - 1; }
};

constexpr uint8_t kAbsentGlyphChar = 0xF9;  // the small centred dot

// True when the 18 signature characters read "TheDraw FONTS file" in any
// letter case; the length and end-of-file bytes around them do not matter.
bool SignatureValid(const TTDFont& sig);
// True when bytes start with a signature record SignatureValid accepts.
bool HasFontSignature(std::span<const uint8_t> bytes);

// The name as listed: NameLen characters of the 12, up to the first NUL. Many
// files pad short names with NULs and keep NameLen at 12; those bytes are
// padding, not text, and would otherwise end up in file names built from it.
std::string ListedName(const TFontHeader& h);
// The listed name of font n, or "" for a number outside the list.
std::string FontNameOf(const TFontFile& font, int n);

// Reads the signature and lists the fonts of path into font, then selects the
// last font. A name that names no file to open (FileProblem) answers false
// and changes nothing but Error; a file that cannot be opened answers false
// with Path set and an empty list. A file that is not a font file lists no
// font and still answers true. A FIGlet or TOIlet font (FigletFileAsFontFile)
// lists as one Block font named after its file (Converted); one figlet could
// not read lists none. Nothing is written on any screen: Error and
// OpenFailed say what went wrong.
bool LoadFontFile(const std::string& path, TFontFile& font);
// The same for a font file's bytes in memory: the same reading, without a
// file (Path stays empty; select with SelectFontIn and the same bytes).
void LoadFontBytes(std::span<const uint8_t> bytes, TFontFile& font);
// Reads the header of font n (1..Count()) from the file into Header; when its
// marker is valid, reads the font's glyph block into Block, n becomes
// Selected and the answer is true. A header with an invalid marker is kept in
// Header all the same (the file changed since it was listed); a header the
// file no longer holds in full is not taken.
bool SelectFont(TFontFile& font, int n);
// The same from the bytes font was loaded from (LoadFontBytes).
bool SelectFontIn(std::span<const uint8_t> bytes, TFontFile& font, int n);
// Loads font's file again and selects font n (0: the last font, as a load
// does). A file that cannot be loaded leaves font as it was, with Error and
// OpenFailed saying why; a file that loads takes font's place even when it no
// longer holds a valid font n. True when both steps succeeded.
bool ReloadFontFile(TFontFile& font, int n = 0);
// Loads font's file again with the font shown before selected: font n where
// it still has the header it was listed with, else the first font that has
// that header (fonts added or removed before it moved it), else font n.
// False as ReloadFontFile.
bool ReloadSameFont(TFontFile& font);

// Every change of a font file reads it and writes it anew under its lock:
// ReadForChange locks the file (TFileLock) and reads it whole into bytes,
// and answers kFontFileChanged unless it still holds the signature and, for
// n in 1..Count(), font n's header at the offset it was listed at (n 0
// checks only the signature); a font read from a FIGlet font is refused
// (kFigletFont). WriteChange replaces the file with the new bytes unless the
// file changed since that read (kFontFileChanged).
bool ReadForChange(const TFontFile& font, int n, TFileLock& lock, std::vector<uint8_t>& bytes,
                   int& error);
bool WriteChange(const TFontFile& font, const TFileLock& lock, std::span<const uint8_t> bytes,
                 int& error);

// Writes Header over the header of the selected font in the file: the file
// is read, checked to hold at that offset the header it was listed with (else
// kFontFileChanged), changed in memory and replaced whole (ReadForChange,
// WriteChange). error holds the reason on false.
bool WriteFontHeader(const TFontFile& font, int& error);
bool WriteFontHeader(const TFontFile& font);
// 94 characters, '!'..'~', with kAbsentGlyphChar for each glyph the selected
// font lacks; empty while no font is selected.
std::string GetFontChars(const TFontFile& font);
// The same for any header (for example Fonts[n].Header).
std::string FontCharsOf(const TFontHeader& header);
// "Outline", "Block" or "Color" for the selected font's type, else empty.
std::string FontTypeName(const TFontFile& font);
// The same for any type byte (for example Fonts[n].FontType).
std::string FontTypeNameOf(uint8_t fontType);
