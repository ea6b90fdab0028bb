// Feeds arbitrary bytes to the font unit as a font file: load, select every
// listed font, read its characters, draw every glyph on a headless screen,
// write a header back and load again, merge the file into itself. The loader
// reads by file name, so the bytes go to a file in RAM first.

#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "console/ConsoleLayer.h"
#include "console/TextConsole.h"
#include "tdf/FontFile.h"
#include "tdf/FontOps.h"
#include "tdf/GlyphRender.h"
#include "util/Files.h"

namespace {

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

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "tdf_fuzz: broken invariant: %s\n", what);
    std::abort();
  }
}

void CheckList(size_t fileSize) {
  Check(Fonts.size() == FontCount + 1u, "Fonts holds FontCount entries after element 0");
  for (int n = 1; n <= FontCount; ++n) {
    Check(Fonts[n].Offset >= kSignatureSize, "font header inside the signature");
    Check(static_cast<size_t>(Fonts[n].Offset) + kFontHeaderSize <= fileSize,
          "font header past the end of the file");
    Check(Fonts[n].Name.size() <= 12, "name longer than 12");
    Check(Fonts[n].Name.find('\0') == std::string::npos, "NUL in a listed name");
  }
  if (FontCount > 0) Check(CurrentFont >= 1 && CurrentFont <= FontCount, "selection out of range");
}

// Every glyph the font may have, drawn as the main screen draws its sample:
// the glyph reader is the most complex reader of the file's bytes.
void DrawEveryGlyph() {
  static TTextConsole screen(1);
  static std::string allChars;
  if (allChars.empty())
    for (int c = kFirstGlyphChar; c <= kLastGlyphChar; ++c) allChars += static_cast<char>(c);
  Console = &screen;
  screen.SetTextAttr(7);
  screen.ClrScr();
  DrawFontText(1, 1, allChars);
  Console = nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& path = Scratch();
  {
    TFileHandle out;
    if (!out.Create(path) || !out.Write({data, size}) || !out.Close()) return 0;
  }
  Check(LoadFontFile(path), "an existing, readable file did not load");
  CheckList(size);
  const int listed = FontCount;
  for (int n = 1; n <= listed; ++n) {
    Check(SelectFont(n), "a listed font cannot be selected");
    Check(GetFontChars().size() == kGlyphCount, "FontChars is not 94 characters");
    FontTypeName();
    DrawEveryGlyph();
  }
  Check(!SelectFont(0) && !SelectFont(listed + 1), "a font outside the list was selected");

  if (listed > 0) {
    // Writing the header back unchanged must leave the same list.
    Check(SelectFont(1) && WriteFontHeader(), "header write-back failed");
    Check(LoadFontFile(path) && FontCount == listed, "the list changed after a write-back");
    CheckList(size);
    // Merged into itself, the file gains exactly the whole fonts it had.
    int added = 0, error = 0;
    if (MergeFontFile(path, added, error))
      Check(LoadFontFile(path) && FontCount == listed + added && added <= listed,
            "a merge lost or invented fonts");
  }
  return 0;
}
