#include "screens/MainScreen.h"

#include <algorithm>

#include "tdf/FontFile.h"
#include "tdf/GlyphRender.h"
#include "util/Numbers.h"
#include "util/Paths.h"
#include "util/PipeText.h"
#include "util/Text.h"
#include "util/Version.h"
#include "widgets/CharListRows.h"
#include "widgets/ConsoleWaits.h"
#include "widgets/PipeWriter.h"

namespace {

const std::string& HelpKeyLabel() {
  static const std::string label = "|00|23" + HotKeyLabel("H") + "|07|16" + "Help";
  return label;
}
constexpr int kHelpKeyWidth = 7;  // half block, H, half block, "Help"

// The help lines fill a column of rows 4..21 (where the first 18 always stood),
// then the next one 40 columns to the right.
constexpr int kHelpFirstRow = 4;
constexpr size_t kHelpRowsPerColumn = 18;
constexpr int kHelpColumnWidth = 40;

// The style Outline fonts are drawn in, next to the key that changes it.
constexpr int kOutlineKeyWidth = 19;  // half block, O, half block, "Outline style 18"
std::string OutlineKeyLabel(uint8_t style) {
  return "|00|23" + HotKeyLabel("O") + "|07|16" + "Outline style " + NumToStr(style);
}

// The sample in the shown font; a font file that cannot be read any more
// says so where the sample goes.
void DrawSample(TTextConsole& con, const TFontFile& font, bool readable,
                const TMainScreenView& view) {
  const TSample& sample = view.Sample;
  if (!readable) {
    con.GotoXY(sample.X, sample.Y);
    WriteFontOpenError(con);
  } else {
    DrawFontText(con, font, sample.X, sample.Y, sample.Text, view.Look.Style);
  }
}

}  // namespace

bool DrawnInBlockColor(const TFontFile& font) {
  return font.Header.FontType == ftBlock || font.Header.FontType == ftOutline;
}

std::string StatusLine(const TFontFile& font, int n) {
  // A spacing of 10 or more needs more than the 10 columns of its field, and
  // the font numbers of a big bundle more than the 15 of theirs (with a blank
  // after them); the extra columns come out of the file name, so no value is cut.
  const std::string spacing = "Spacing: " + NumToStr(font.Header.Spacing);
  const std::string number = "Font: " + NumToStr(font.Selected) + "/" + NumToStr(font.Count());
  const int spacingWidth = std::max<int>(10, static_cast<int>(spacing.size()));
  const int numberWidth = std::max<int>(15, static_cast<int>(number.size()) + 1);
  const int nameWidth = 25 - (spacingWidth - 10) - (numberWidth - 15);
  const std::string fontName = FontNameOf(font, n);
  return PadRight(JustName(font.Path), static_cast<uint8_t>(nameWidth), ' ') +
         PadRight(number, static_cast<uint8_t>(numberWidth), ' ') +
         PadLeft(spacing, static_cast<uint8_t>(spacingWidth), ' ') +
         PadLeft("Name: " + fontName + " [" + FontTypeName(font) + "]", 30, ' ');
}

void WriteFontOpenError(TTextConsole& con) {
  con.ConWriteLn("Error Opening File!");
}

void DrawStatusLine(TTextConsole& con, const TFontFile& font, int n, const TFontLook& look) {
  con.GotoXY(1, 1);
  con.SetTextAttr(look.StatusAttr);
  // Byte for byte as glyphs: a name may hold 10 or 13, which must not move the pen.
  for (const char c : StatusLine(font, n)) con.WriteRawChar(static_cast<uint8_t>(c));
  con.SetTextAttr(DrawnInBlockColor(font) ? look.Style.Attr : 15);
}

void DrawMainScreen(TTextConsole& con, const TFontFile& font, int n, bool readable,
                    const TMainScreenView& view) {
  con.SetTextAttr(7);
  if (!view.KeepScreen) con.ClrScr();
  DrawStatusLine(con, font, n, view.Look);
  if (!view.KeepScreen) DrawSample(con, font, readable, view);
  con.TextColor(15);
  DrawCharListRows(con, GetFontChars(font));
  WritePipeXY(con, 1, 25, 7, HelpKeyLabel());
  // Clear what is left of the prompt row, but not the help key itself.
  con.GotoXY(kHelpKeyWidth + 1, 25);
  con.SetTextAttr(view.IdleAttr);
  con.ClrEol();
  std::string labels;
  int end = kHelpKeyWidth;  // the last column used
  if (font.Header.FontType == ftOutline) {
    labels = OutlineKeyLabel(view.Look.Style.Outline);
    end += 2 + kOutlineKeyWidth;
  }
  // Key in white, the words in grey, as on the help screen; whole or not at all.
  for (const TKeyHint& hint : view.Hint) {
    const int width = static_cast<int>(hint.Key.size() + 1 + hint.Does.size());
    if (end + 2 + width > 80) break;
    labels += (labels.empty() ? "" : "  ") + std::string("|15") + hint.Key + "|07 " + hint.Does;
    end += 2 + width;
  }
  if (!labels.empty()) {
    WritePipeXY(con, kHelpKeyWidth + 3, 25, 7, labels);
    con.GotoXY(kHelpKeyWidth + 1, 25);
    con.SetTextAttr(view.IdleAttr);
  }
}

void ShowHelp(TTextConsole& con, std::span<const std::string> lines) {
  con.SetTextAttr(7);
  con.ClrScr();
  con.SetTextAttr(0x70);
  con.GotoXY(1, 1);
  con.ClrEol();
  con.WriteXY(2, 1, 0x70, kBrixelTitle);
  con.GotoXY(1, 25);
  con.ClrEol();
  for (size_t i = 0; i < lines.size(); ++i) {
    const auto x = static_cast<uint8_t>(3 + kHelpColumnWidth * (i / kHelpRowsPerColumn));
    const auto y = static_cast<uint8_t>(kHelpFirstRow + i % kHelpRowsPerColumn);
    WritePipeXY(con, x, y, 7, lines[i]);
  }
  // Any key leaves, an extended key as a whole.
  WaitForAnyKey(con);
}
