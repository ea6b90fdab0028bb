#include "screens/GlyphEditorScreen.h"

#include <algorithm>
#include <array>

#include "tdf/FontFile.h"
#include "tdf/GlyphRender.h"
#include "tdf/OutlineStyles.h"
#include "util/Numbers.h"
#include "util/Text.h"
#include "widgets/MenuBox.h"
#include "widgets/PipeWriter.h"
#include "widgets/ScreenCells.h"

namespace {

constexpr uint8_t kUndefinedChar = 0xFA;  // a small dot: no cell, unlike a space
constexpr uint8_t kUndefinedAttr = 8;
constexpr uint8_t kFrameAttr = 8;
constexpr uint8_t kMarkAttr = 15;
constexpr uint8_t kMessageAttr = 14;
constexpr uint8_t kColumnMark = 0x1F;  // on the top edge, over the cursor column
constexpr uint8_t kRowMark = 0x10;     // on the left edge, beside the cursor row

constexpr const char* kHelpRows[] = {
    "|15F1-F8|07 \xB0\xB1\xB2\xDB\xDC\xDF\xDD\xDE |15F9/F10|07 Fg/Bg |15Shift|07 Mark "
    "|15^C^X^V|07 Block |15H/V|07 Flip |15F|07 Fill |15Del|07 Undef",
    "|15^G/^B|07 Copy in |15^W|07 Save as |15^PgUp/^PgDn|07 Glyph |15^Z/^R|07 Undo/Redo "
    "|15^S|07 Save |15Esc|07 Leave",
};

constexpr uint8_t kSelectedBack = 0x10;  // marked cells: on blue

void Put(TTextConsole& con, int x, int y, uint8_t attr, uint8_t ch) {
  PutText(con, x, y, attr, std::string(1, static_cast<char>(ch)));
}

// Keeps the cursor cell in view, moving the view as little as possible.
void ScrollToCursor(TGlyphEditor& e) {
  const TGlyphPicture& p = e.Edit.Picture();
  e.ViewX = std::clamp(e.ViewX, std::max(0, e.X - ViewColumns(e.Con) + 1), e.X);
  e.ViewY = std::clamp(e.ViewY, std::max(0, e.Y - ViewLines(e.Con) + 1), e.Y);
  e.ViewX = std::min(e.ViewX, std::max(0, p.Columns() - ViewColumns(e.Con)));
  e.ViewY = std::min(e.ViewY, std::max(0, p.Lines() - ViewLines(e.Con)));
}

std::string StatusText(const TGlyphEditor& e) {
  const TGlyphPicture& p = e.Edit.Picture();
  const std::string name = e.Font ? FontNameOf(*e.Font, e.Font->Selected) : std::string();
  const std::string type = e.Font ? FontTypeName(*e.Font) : std::string();
  std::string s = PadRight(" Glyph " + std::string(1, static_cast<char>(e.Ch)), 9, ' ') +
                  PadRight(name + " [" + type + "]", 24, ' ') +
                  PadRight("Size " + NumToStr(p.Width) + "x" + NumToStr(p.Height), 13, ' ') +
                  PadRight("At " + NumToStr(e.X + 1) + "," + NumToStr(e.Y + 1), 11, ' ');
  if (e.FontType == ftColor) s += "Colour " + NumToStr(e.Fg) + " on " + NumToStr(e.Bg) + " ";
  if (e.FontType == ftOutline) {
    const TEditCell cell = e.Edit.Cell(e.X, e.Y);
    s += cell.Defined ? OutlineRoleName(cell.Ch) : std::string("undefined");
  }
  return s;
}

void DrawStatusRow(const TGlyphEditor& e) {
  const std::string text = StatusText(e);
  PutText(e.Con, 1, 1, e.Look.StatusAttr, PadRight(text, e.Con.Cols, ' '));
  // The colour typed cells take, as a sample right after its numbers.
  if (e.FontType == ftColor)
    PutText(e.Con, static_cast<int>(text.size()) + 1, 1, e.Attr(), "\xDF\xDC");
  if (e.Edit.Modified()) Put(e.Con, e.Con.Cols, 1, e.Look.StatusAttr, '*');
}

void DrawFrame(TTextConsole& con, int columns, int lines) {
  const TFrameChars& f = FrameChars(1);
  const int right = kGlyphLeft + columns, bottom = kGlyphTop + lines;
  Put(con, kGlyphLeft - 1, kGlyphTop - 1, kFrameAttr, f.TopLeft);
  Put(con, right, kGlyphTop - 1, kFrameAttr, f.TopRight);
  Put(con, kGlyphLeft - 1, bottom, kFrameAttr, f.BottomLeft);
  Put(con, right, bottom, kFrameAttr, f.BottomRight);
  for (int x = kGlyphLeft; x < right; ++x) {
    Put(con, x, kGlyphTop - 1, kFrameAttr, f.Top);
    Put(con, x, bottom, kFrameAttr, f.Bottom);
  }
  for (int y = kGlyphTop; y < bottom; ++y) {
    Put(con, kGlyphLeft - 1, y, kFrameAttr, f.Left);
    Put(con, right, y, kFrameAttr, f.Right);
  }
}

// The cell the screen shows at (column, row) of the glyph: a floating paste
// over the picture, marked cells on blue.
void CellLook(const TGlyphEditor& e, int column, int row, uint8_t& ch, uint8_t& attr) {
  TEditCell cell = e.Edit.Cell(column, row);
  if (e.Floating) {
    const int c = column - e.X, r = row - e.Y;
    if (r >= 0 && r < e.Floating->Lines() && c >= 0 && c < e.Floating->Columns() &&
        e.Floating->Cells[r][c].Defined)
      cell = e.Floating->Cells[r][c];
  }
  ch = kUndefinedChar;
  attr = kUndefinedAttr;
  if (cell.Defined) {
    ch = e.FontType == ftOutline ? OutlineCellChar(e.Look.Style.Outline, cell.Ch) : cell.Ch;
    attr = e.FontType == ftColor ? cell.Attr : e.Look.Style.Attr;
  }
  const TCellRect& m = e.Selection.value_or(TCellRect{});
  if (column >= m.Left && column <= m.Right && row >= m.Top && row <= m.Bottom) {
    const uint8_t fg = attr & 15;
    attr = static_cast<uint8_t>(kSelectedBack | (fg == 1 ? 15 : fg));
  }
}

void DrawCells(const TGlyphEditor& e, int columns, int lines) {
  for (int r = 0; r < lines; ++r) {
    for (int c = 0; c < columns; ++c) {
      uint8_t ch = 0, attr = 0;
      CellLook(e, e.ViewX + c, e.ViewY + r, ch, attr);
      Put(e.Con, kGlyphLeft + c, kGlyphTop + r, attr, ch);
    }
  }
}

// The sample text in the font as edited, from the row below the frame; the
// rows from the strip down are drawn over it afterwards.
void DrawSample(const TGlyphEditor& e, int top) {
  if (!e.Font || e.SampleText.empty() || top >= StripRow(e.Con)) return;
  const std::optional<TFontFile> edited = EditedFont(*e.Font, e.Ch, e.Edit.Picture());
  if (edited)
    DrawFontText(e.Con, *edited, 1, static_cast<uint8_t>(top), e.SampleText, e.Look.Style);
}

// Color fonts: the 16 colours to click, F on the foreground, B on the
// background. Outline fonts: each role letter as the current style draws it.
void DrawStrip(const TGlyphEditor& e) {
  const int row = StripRow(e.Con);
  PutText(e.Con, 1, row, 7, std::string(e.Con.Cols, ' '));
  if (e.FontType == ftColor) {
    for (int colour = 0; colour < 16; ++colour) {
      const auto attr = static_cast<uint8_t>(colour * 16 + (colour < 8 ? 15 : 0));
      std::string marks = "  ";
      if (colour == e.Fg) marks[0] = 'F';
      if (colour == e.Bg) marks[1] = 'B';
      PutText(e.Con, 1 + colour * kStripColumnsPerColour, row, attr, marks);
    }
    WritePipeXY(e.Con, 34, static_cast<uint8_t>(row), 7,
                "|08Click: |07left Fg, right Bg  |15Shift+F9/F10|07 back");
  } else if (e.FontType == ftOutline) {
    // Put cell by cell: a style may draw a role as the pipe writer's '|'.
    int x = 1;
    for (uint8_t role = 'A'; role <= 'N'; ++role, x += 3) {
      Put(e.Con, x, row, 15, role);
      Put(e.Con, x + 1, row, 7, OutlineCellChar(e.Look.Style.Outline, role));
    }
    WritePipeXY(e.Con, static_cast<uint8_t>(x), static_cast<uint8_t>(row), 7,
                "|15@OPQ|07 blank  |15O|07 Style " + NumToStr(e.Look.Style.Outline));
  }
}

}  // namespace

int ViewColumns(const TTextConsole& con) {
  return std::min(255, con.Cols - 2);
}
int ViewLines(const TTextConsole& con) {
  return std::min(255, con.Rows - 6);
}

int StripRow(const TTextConsole& con) {
  return con.Rows - 2;
}

std::string OutlineRoleName(uint8_t cell) {
  static const std::array<const char*, 14> kRoles = {
      "top edge",          "bottom edge",        "left edge",          "right edge",
      "top-left corner",   "top-right corner",   "inner top-left",     "inner top-right",
      "inner bottom-left", "inner bottom-right", "bottom-left corner", "bottom-right corner",
      "tee, stem left",    "tee, stem right"};
  const std::string letter(1, static_cast<char>(cell));
  if (cell >= 'A' && cell <= 'N') return letter + " " + kRoles[cell - 'A'];
  if (cell == '@' || (cell >= 'O' && cell <= 'Q')) return letter + " blank";
  return letter + " no role";
}

void DrawGlyphEditor(TGlyphEditor& e) {
  ScrollToCursor(e);
  const TGlyphPicture& p = e.Edit.Picture();
  const int columns = std::min(p.Columns() - e.ViewX, ViewColumns(e.Con));
  const int lines = std::min(p.Lines() - e.ViewY, ViewLines(e.Con));
  e.Con.SetTextAttr(7);
  e.Con.ClrScr();
  DrawStatusRow(e);
  DrawFrame(e.Con, columns, lines);
  DrawCells(e, columns, lines);
  DrawSample(e, kGlyphTop + lines + 1);
  DrawStrip(e);
  const int cursorX = kGlyphLeft + e.X - e.ViewX, cursorY = kGlyphTop + e.Y - e.ViewY;
  Put(e.Con, cursorX, kGlyphTop - 1, kMarkAttr, kColumnMark);
  Put(e.Con, kGlyphLeft - 1, cursorY, kMarkAttr, kRowMark);
  const int helpRow = e.Con.Rows - 1;
  for (int i = 0; i < 2; ++i)
    WritePipeXY(e.Con, 1, static_cast<uint8_t>(helpRow + i), 7, kHelpRows[i]);
  if (!e.Message.empty())
    PutText(e.Con, 1, helpRow, kMessageAttr,
            PadRight(e.Message, static_cast<uint8_t>(e.Con.Cols - 1), ' '));
  e.Con.SetTextAttr(7);
  e.Con.GotoXY(cursorX, cursorY);
}
