#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "tdf/FigletImport.h"
#include "tdf/FontFile.h"
#include "tdf/GlyphRender.h"

namespace {

// A font whose characters ' '..'~' are all rows, one line each, each line
// with end mark '@' (twice on the last) unless the rows bring their own.
std::string Font(const std::string& header, const std::vector<std::string>& rows,
                 bool marked = false) {
  std::string text = header + "\n";
  for (int ch = 0; ch < kFigletCharCount; ++ch)
    for (size_t r = 0; r < rows.size(); ++r)
      text += rows[r] + (marked ? "" : r + 1 < rows.size() ? "@" : "@@") + "\n";
  return text;
}

std::span<const uint8_t> Bytes(const std::string& text) {
  return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

std::string ZipHeader(int flags, int method) {
  std::string zip = "PK\x03\x04" + std::string(26, '\0');
  zip[6] = static_cast<char>(flags);
  zip[8] = static_cast<char>(method);
  return zip;
}

TEST(FigletFont, RefusesWhatFigletCannotDrawOrATheDrawFontCannotHold) {
  const struct {
    std::string Bytes;
    std::string Why;
  } cases[] = {
      {"flc2a\nt 0-255 0-255\n", "a FIGlet control file (.flc), not a font"},
      {"hello", "not a FIGlet or TOIlet font: it starts with neither flf2a nor tlf2a"},
      {"flf2a", "the header has no hardblank"},
      {Font("flf2a$ 1 1 4 -1", {"#"}), "the header holds 4 of the 5 numbers"},
      {Font("tlf2a$ 1 x 4 -1 0", {"#"}), "the header holds 1 of the 5 numbers"},
      {Font("flf2a$ 0 0 4 -1 0", {"#"}), "its height is 0: a font needs one row at least"},
      {Font("flf2a$ 2 2 4 -1 0", {"", ""}), "it draws no character from '!' to '~'"},
      {Font("flf2a$ 1 1 4 -1 0", {std::string(256, '#')}), "is 256 columns wide"},
      {Font("flf2a$ 256 1 4 -1 0", std::vector<std::string>(256, "#")), "256 rows tall"},
      {Font("flf2a$ 3 1 4 -1 0", std::vector<std::string>(3, std::string(255, '#'))),
       "its glyphs take more than the 65535 bytes of a TheDraw font"},
      {"PK\x03\x04", "its zip archive is cut short"},
      {ZipHeader(1, 8), "its zip archive is encrypted"},
      {ZipHeader(0, 12), "packed in a way figlet does not unpack (method 12)"},
      {ZipHeader(0, 8) + "\xff\xff\xff", "its zip archive is damaged or cut short"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Why);
    std::vector<uint8_t> out;
    std::string why;
    EXPECT_FALSE(FigletFileAsFontFile(Bytes(c.Bytes), "name", out, why));
    EXPECT_NE(why.find(c.Why), std::string::npos) << why;
  }
}

// Rows as figlet reads them: blanks and end marks off the end of the bytes
// (a row may end in another mark), hardblanks as spaces, a row cut at the
// first byte that is no UTF-8, UTF-8 turned into code page 437.
TEST(FigletFont, ReadsRowsAsFigletDoes) {
  const std::string text = Font("flf2a# 3 3 9 -1 1\ncomment",
                                {"a#\xe2\x96\x88$b@", "\xc3\xa9\xffx@", "c@!!!  \r"}, true);
  std::vector<uint8_t> bytes;
  std::string why;
  ASSERT_TRUE(FigletFileAsFontFile(Bytes(text), "name", bytes, why)) << why;
  TFontFile font;
  LoadFontBytes(bytes, font);
  ASSERT_EQ(font.Count(), 1);
  const TGlyphDrawing glyph = GlyphDrawingOf(font.Header, font.Block, 'A' - kFirstGlyphChar);
  EXPECT_EQ(glyph.Width, 5);
  EXPECT_EQ(glyph.Height, 3);
  const auto row = [&](size_t r) {
    std::string cells;
    for (const TGlyphCell& cell : glyph.Rows[r]) cells += static_cast<char>(cell.Ch);
    return cells;
  };
  EXPECT_EQ(row(0), "a \xdb$b");
  EXPECT_EQ(row(1), "\x82");
  EXPECT_EQ(row(2), "c@");
}

}  // namespace
