#include "tdf/FontCollection.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "tdf/FigletImport.h"
#include "tdf/FontFile.h"
#include "tdf/FontFileAccess.h"
#include "tdf/FontHeaderScan.h"
#include "util/Files.h"
#include "util/Numbers.h"
#include "util/Text.h"

namespace {

namespace fs = std::filesystem;

// "PATH: skipped: REASON"; a path the caller named also marks the collection
// as not wholly read.
void NoteSkipped(TFontCollection& out, const std::string& path, std::string_view reason,
                 bool named) {
  out.Notes.push_back(path + ": skipped: " + std::string(reason));
  if (named) out.NamedPathsRead = false;
}

struct TFoundFile {
  std::string Path;
  bool Named = false;  // given by the caller rather than met in a directory
};

// Collects the font files under the paths, noting what it passes over.
class TFontFileSearch {
 public:
  explicit TFontFileSearch(TFontCollection& out) : Out(out) {}

  void AddNamed(const std::string& path) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec) {
      NoteNamed(path, FileErrorText(ec.value()));
    } else if (fs::is_directory(status)) {
      Walk(path, true);
    } else if (fs::is_regular_file(status)) {
      Found.push_back({path, true});
    } else {
      NoteNamed(path, FileErrorText(kNotRegularFile));
    }
  }

  // Sorted byte-wise by path, each path once.
  std::vector<TFoundFile> Sorted() {
    std::sort(Found.begin(), Found.end(), [](const TFoundFile& a, const TFoundFile& b) {
      return a.Path < b.Path || (a.Path == b.Path && a.Named > b.Named);
    });
    const auto samePath = [](const TFoundFile& a, const TFoundFile& b) { return a.Path == b.Path; };
    Found.erase(std::unique(Found.begin(), Found.end(), samePath), Found.end());
    return std::move(Found);
  }

 private:
  void Note(const std::string& path, std::string_view reason) {
    NoteSkipped(Out, path, reason, false);
  }
  void NoteNamed(const std::string& path, std::string_view reason) {
    NoteSkipped(Out, path, reason, true);
  }

  void Walk(const fs::path& dir, bool named) {
    std::error_code ec;
    fs::directory_iterator it(dir, ec);
    const fs::directory_iterator end;
    while (!ec && it != end) {
      Take(*it);
      it.increment(ec);
    }
    if (!ec) return;
    NoteSkipped(Out, dir.string(), FileErrorText(ec.value()), named);
  }

  void Take(const fs::directory_entry& entry) {
    const std::string path = entry.path().string();
    std::error_code ec;
    fs::file_status status = entry.symlink_status(ec);
    if (!ec && fs::is_directory(status)) return Walk(entry.path(), false);
    if (!ec && fs::is_symlink(status)) {
      status = entry.status(ec);
      if (!ec && fs::is_directory(status)) return Note(path, "a link to a folder is not followed");
    }
    if (ec) return Note(path, FileErrorText(ec.value()));
    if (!fs::is_regular_file(status)) return Note(path, FileErrorText(kNotRegularFile));
    if (HasFontFileSuffix(entry.path().filename().string())) Found.push_back({path, false});
  }

  TFontCollection& Out;
  std::vector<TFoundFile> Found;
};

void ReadFontsOf(const TFoundFile& found, TFontCollection& out) {
  TFileHandle file;
  if (!file.Open(found.Path, faRead)) {
    NoteSkipped(out, found.Path, FileErrorText(file.LastError()), found.Named);
    return;
  }
  TTDFont signature;
  const bool read = file.ReadExact({reinterpret_cast<uint8_t*>(&signature), sizeof signature});
  const auto* head = reinterpret_cast<const uint8_t*>(&signature);
  std::vector<TFontRecord> fonts;
  std::string why = "not a TheDraw font file";
  const bool theDraw = read && SignatureValid(signature);
  if (theDraw) {
    ScanFontHeaders(file, fonts);
  } else if (LooksLikeFigletFile({head, read ? sizeof signature : 0})) {
    std::vector<uint8_t> converted;
    if (ReadFigletFontFile(file, found.Path, converted, why)) {
      TFontSource source(converted);
      ScanFontHeaders(source, fonts);
    }
  }
  if (!theDraw && fonts.empty()) {
    // Read, though not a font file: even a named one is only noted.
    NoteSkipped(out, found.Path, why, false);
    return;
  }
  const auto fileIndex = static_cast<int32_t>(out.Files.size());
  out.Files.push_back(found.Path);
  out.Figlet.push_back(!theDraw);
  for (size_t i = 0; i < fonts.size(); ++i)
    out.Fonts.push_back({fileIndex, static_cast<int32_t>(i + 1), std::move(fonts[i])});
}

}  // namespace

TFontCollection ReadFontCollection(std::span<const std::string> paths) {
  TFontCollection out;
  TFontFileSearch search(out);
  for (const std::string& path : paths) search.AddNamed(path);
  for (const TFoundFile& found : search.Sorted()) ReadFontsOf(found, out);
  return out;
}

bool HasFontFileSuffix(std::string_view name) {
  if (name.size() < 4) return false;
  const std::string suffix = UpStr(name.substr(name.size() - 4));
  return suffix == ".TDF" || suffix == ".FLF" || suffix == ".TLF";
}

int GlyphCountOf(const TFontHeader& header) {
  int count = 0;
  for (int i = 0; i < kGlyphCount; ++i) count += GlyphOffsetOf(header, i) != kAbsentGlyph;
  return count;
}

bool HasEveryChar(const TFontHeader& header, std::string_view text) {
  for (const char c : text) {
    const auto ch = static_cast<uint8_t>(c);
    if (ch == ' ') continue;
    if (ch < kFirstGlyphChar || ch > kLastGlyphChar) return false;
    if (GlyphOffsetOf(header, ch - kFirstGlyphChar) == kAbsentGlyph) return false;
  }
  return true;
}

std::string FontTypeLabel(uint8_t fontType) {
  const std::string name = FontTypeNameOf(fontType);
  return name.empty() ? "unknown (" + NumToStr(fontType) + ")" : name;
}

std::vector<const TCollectedFont*> FontsNamed(const TFontCollection& collection,
                                              std::string_view name) {
  const auto key = [](std::string_view s) {
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return std::string();
    return UpStr(s.substr(first, s.find_last_not_of(' ') - first + 1));
  };
  const std::string wanted = key(name);
  std::vector<const TCollectedFont*> found;
  for (const TCollectedFont& f : collection.Fonts)
    if (key(f.Font.Name) == wanted) found.push_back(&f);
  return found;
}

bool TCollectedFontReader::Read(const TCollectedFont& font, TFontFile& out, int& error) {
  error = 0;
  const std::string& path = Collection.Files[static_cast<size_t>(font.File)];
  if (OpenIndex != font.File) {
    OpenIndex = -1;
    if (!File.Open(path, faRead)) {
      error = File.LastError();
      return false;
    }
    OpenIndex = font.File;
  }
  if (!MarkerValid(font.Font.Header)) return false;
  const auto file = static_cast<size_t>(font.File);
  if (file < Collection.Figlet.size() && Collection.Figlet[file]) {
    // Made again from the FIGlet font: its file is small and quick to read.
    if (LoadFontFile(path, out) && out.Converted && out.Selected == 1) return true;
    error = out.Error;
    return false;
  }
  std::vector<uint8_t> block;
  if (!ReadFontFileRange(File, font.Font.Offset + int64_t{kFontHeaderSize},
                         BlockSizeOf(font.Font.Header), block, error))
    return false;
  out = TFontFile{};
  out.Path = path;
  out.Fonts.push_back(font.Font);
  out.Selected = 1;
  out.Header = font.Font.Header;
  out.Block = std::move(block);
  return true;
}
