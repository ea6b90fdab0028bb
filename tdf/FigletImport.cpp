#include "tdf/FigletImport.h"

#include <algorithm>
#include <map>
#include <optional>

#include "tdf/GlyphEdit.h"
#include "util/Cp437.h"
#include "util/Numbers.h"
#include "util/Paths.h"

namespace {

constexpr int kMaxGlyphSide = 255;
constexpr size_t kMaxBlockSize = 0xFFFF;
constexpr uint8_t kFullBlock = 0xDB, kLowerHalf = 0xDC, kUpperHalf = 0xDF;

// Shapes of box drawing and block elements that code page 437 lacks, by the
// nearest one it has: heavy, dashed, rounded and half lines as light lines,
// eighths and quadrants as the half or whole block they fill most of.
constexpr std::pair<char32_t, uint8_t> kNearShapes[] = {
    {0x2501, 0xC4}, {0x2503, 0xB3}, {0x2504, 0xC4}, {0x2505, 0xC4}, {0x2506, 0xB3}, {0x2507, 0xB3},
    {0x2508, 0xC4}, {0x2509, 0xC4}, {0x250A, 0xB3}, {0x250B, 0xB3}, {0x250D, 0xDA}, {0x250E, 0xDA},
    {0x250F, 0xDA}, {0x2511, 0xBF}, {0x2512, 0xBF}, {0x2513, 0xBF}, {0x2515, 0xC0}, {0x2516, 0xC0},
    {0x2517, 0xC0}, {0x2519, 0xD9}, {0x251A, 0xD9}, {0x251B, 0xD9}, {0x251D, 0xC3}, {0x2520, 0xC3},
    {0x2523, 0xC3}, {0x2525, 0xB4}, {0x2528, 0xB4}, {0x252B, 0xB4}, {0x252F, 0xC2}, {0x2530, 0xC2},
    {0x2533, 0xC2}, {0x2537, 0xC1}, {0x2538, 0xC1}, {0x253B, 0xC1}, {0x253F, 0xC5}, {0x2542, 0xC5},
    {0x254B, 0xC5}, {0x254C, 0xC4}, {0x254D, 0xC4}, {0x254E, 0xB3}, {0x254F, 0xB3}, {0x256D, 0xDA},
    {0x256E, 0xBF}, {0x256F, 0xD9}, {0x2570, 0xC0}, {0x2571, '/'},  {0x2572, '\\'}, {0x2573, 'X'},
    {0x2574, 0xC4}, {0x2575, 0xB3}, {0x2576, 0xC4}, {0x2577, 0xB3}, {0x2578, 0xC4}, {0x2579, 0xB3},
    {0x257A, 0xC4}, {0x257B, 0xB3}, {0x257C, 0xC4}, {0x257D, 0xB3}, {0x257E, 0xC4}, {0x257F, 0xB3},
    {0x2581, '_'},  {0x2582, 0xDC}, {0x2583, 0xDC}, {0x2585, 0xDC}, {0x2586, 0xDB}, {0x2587, 0xDB},
    {0x2589, 0xDB}, {0x258A, 0xDB}, {0x258B, 0xDD}, {0x258D, 0xDD}, {0x258E, 0xDD}, {0x258F, 0xDD},
    {0x2594, 0xDF}, {0x2595, 0xDE}, {0x2596, 0xDC}, {0x2597, 0xDC}, {0x2598, 0xDF}, {0x2599, 0xDB},
    {0x259A, 0xB1}, {0x259B, 0xDB}, {0x259C, 0xDB}, {0x259D, 0xDF}, {0x259E, 0xB1}, {0x259F, 0xDB},
    {0x2295, '+'},  {0x2296, '-'},  {0x2298, '/'},  {0x2299, '.'},  {0x229B, '*'},  {0x229C, '='},
    {0x24EA, '0'},
};

// The nearest code page 437 shape of a character the code page lacks.
std::optional<uint8_t> NearestShape(char32_t cp) {
  for (const auto& [from, to] : kNearShapes)
    if (from == cp) return to;
  if (cp >= 0xFF01 && cp <= 0xFF5E) return static_cast<uint8_t>(cp - 0xFF01 + '!');  // fullwidth
  if (cp >= 0x24B6 && cp <= 0x24CF) return static_cast<uint8_t>(cp - 0x24B6 + 'A');  // circled
  if (cp >= 0x24D0 && cp <= 0x24E9) return static_cast<uint8_t>(cp - 0x24D0 + 'a');
  if (cp >= 0x2460 && cp <= 0x2468) return static_cast<uint8_t>(cp - 0x2460 + '1');
  if (cp >= 0x2800 && cp <= 0x28FF) {
    // Braille: dots 1, 2, 4 and 5 fill the upper half of the cell, 3, 6, 7 and 8 the lower.
    const bool upper = (cp & 0x1B) != 0, lower = (cp & 0xE4) != 0;
    return upper && lower ? kFullBlock : upper ? kUpperHalf : lower ? kLowerHalf : uint8_t{' '};
  }
  return std::nullopt;
}

// Turns code points into cells, remembering every one that could not be kept.
class TCellMapper {
 public:
  TCellMapper(char32_t hardblank, uint8_t fontType) : Hardblank(hardblank), FontType(fontType) {}

  uint8_t Cell(char32_t cp) {
    if (cp == Hardblank) return ' ';
    const int exact = Cp437ByteOf(cp);
    if (exact >= 0 && CellStorable(static_cast<uint8_t>(exact), kImportedColorAttr, FontType))
      return static_cast<uint8_t>(exact);
    if (exact >= 0) return Unstorable.emplace(cp, ' ').first->second;
    if (const std::optional<uint8_t> near = NearestShape(cp))
      return Near.emplace(cp, *near).first->second;
    return Unknown.emplace(cp, '?').first->second;
  }

  void Notes(std::vector<std::string>& notes) const {
    Note(notes, Near, "drawn as the nearest shape code page 437 has:", true);
    Note(notes, Unknown, "without a code page 437 form, drawn as '?':", false);
    Note(notes, Unstorable, "not storable in a TheDraw glyph, drawn as a space:", false);
  }

 private:
  static void Note(std::vector<std::string>& notes, const std::map<char32_t, uint8_t>& chars,
                   const std::string& what, bool withShape) {
    if (chars.empty()) return;
    std::string note = what;
    for (const auto& [cp, cell] : chars) {
      note += note.size() == what.size() ? " " : ", ";
      AppendUtf8(note, cp);
      if (withShape) note += " as " + Cp437ToUtf8(std::string(1, static_cast<char>(cell)));
    }
    notes.push_back(note);
  }

  char32_t Hardblank;
  uint8_t FontType;
  std::map<char32_t, uint8_t> Near, Unknown, Unstorable;
};

// The picture of one character: its rows as cells, the blanks at the end of
// each row undefined, so a glyph stores no more than it draws.
TGlyphPicture PictureOf(const std::vector<std::u32string>& rows, size_t width,
                        TCellMapper& mapper) {
  TGlyphPicture picture;
  picture.Width = static_cast<uint8_t>(width);
  picture.Height = static_cast<uint8_t>(rows.size());
  picture.Cells.assign(rows.size(), std::vector<TEditCell>(width));
  for (size_t r = 0; r < rows.size(); ++r) {
    std::vector<TEditCell>& cells = picture.Cells[r];
    for (size_t c = 0; c < rows[r].size(); ++c)
      cells[c] = {true, mapper.Cell(rows[r][c]), kImportedColorAttr};
    for (size_t c = cells.size(); c > 0 && cells[c - 1].Ch == ' '; --c)
      cells[c - 1].Defined = false;
  }
  return picture;
}

std::string CharLabel(int ch) {
  return "'" + std::string(1, static_cast<char>(ch)) + "'";
}

}  // namespace

bool FigletToTdfFont(const TFigletFont& figlet, const TFigletImport& how,
                     std::vector<uint8_t>& record, std::vector<std::string>& notes,
                     std::string& why) {
  record.clear();
  notes.clear();
  if (figlet.Height > kMaxGlyphSide) {
    why = "its characters are " + NumToStr(figlet.Height) +
          " rows tall; a TheDraw glyph holds 255 at most";
    return false;
  }
  TFontHeader header = NewFontHeader(how.Name, how.FontType, 0);
  TCellMapper mapper(figlet.Hardblank, how.FontType);
  std::vector<uint8_t> block;
  for (int ch = kFirstGlyphChar; ch <= kLastGlyphChar; ++ch) {
    const std::vector<std::u32string>& rows = figlet.Chars[ch - kFigletFirstChar];
    size_t width = 0;
    for (const std::u32string& row : rows) width = std::max(width, row.size());
    if (width == 0) continue;  // draws nothing: no glyph
    if (width > kMaxGlyphSide) {
      why = "character " + CharLabel(ch) + " is " + NumToStr(static_cast<int32_t>(width)) +
            " columns wide; a TheDraw glyph holds 255 at most";
      return false;
    }
    const std::vector<uint8_t> glyph = EncodeGlyph(PictureOf(rows, width, mapper), how.FontType);
    if (block.size() + glyph.size() > kMaxBlockSize) {
      why = "its glyphs take more than the 65535 bytes of a TheDraw font";
      return false;
    }
    SetGlyphOffset(header, ch - kFirstGlyphChar, static_cast<uint16_t>(block.size()));
    block.insert(block.end(), glyph.begin(), glyph.end());
  }
  if (block.empty()) return why = "it draws no character from '!' to '~'", false;
  SetBlockSize(header, static_cast<uint16_t>(block.size()));
  const auto* headerBytes = reinterpret_cast<const uint8_t*>(&header);
  record.assign(headerBytes, headerBytes + kFontHeaderSize);
  record.insert(record.end(), block.begin(), block.end());
  mapper.Notes(notes);
  return true;
}

bool FigletFileAsFontFile(std::span<const uint8_t> file, const std::string& name,
                          std::vector<uint8_t>& out, std::string& why) {
  TFigletFont figlet;
  std::vector<uint8_t> record;
  std::vector<std::string> notes;
  if (!ReadFigletFont(file, figlet, why) ||
      !FigletToTdfFont(figlet, {ftBlock, name}, record, notes, why))
    return false;
  const TTDFont signature = StandardSignature();
  const auto* bytes = reinterpret_cast<const uint8_t*>(&signature);
  out.assign(bytes, bytes + kSignatureSize);
  out.insert(out.end(), record.begin(), record.end());
  return true;
}

bool ReadFigletFontFile(TFileHandle& file, const std::string& path, std::vector<uint8_t>& out,
                        std::string& why) {
  std::vector<uint8_t> bytes;
  int error = 0;
  if (!ReadWholeFile(file, bytes, error, kMaxFigletFontBytes))
    return why = FileErrorText(error), false;
  return FigletFileAsFontFile(bytes, FontNameFromPath(path), out, why);
}

std::string FontNameFromPath(const std::string& path) {
  std::string name = JustName(path);
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  return Utf8ToCp437(name).substr(0, 12);
}
