#include "screens/AnsiViewer.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "ansi/AnsiArticle.h"
#include "ansi/ArtFormat.h"
#include "ansi/SauceHints.h"
#include "console/KeyCodes.h"
#include "screens/GlyphCaptureDialog.h"
#include "util/Files.h"
#include "util/Paths.h"
#include "util/PipeText.h"
#include "util/Text.h"
#include "widgets/CharListRows.h"
#include "widgets/ConsoleWaits.h"
#include "widgets/PipeWriter.h"
#include "widgets/Prompts.h"
#include "widgets/ScreenCells.h"

namespace {

constexpr int kShownCols = 79;      // column 80 of the picture is never shown
constexpr int kSideStep = 8;        // columns Left and Right move a wide picture by
constexpr size_t kMaxMessage = 72;  // what a message box shows of its text

// "prefix path", with the start of a long path cut so that its name shows.
std::string FitPath(std::string_view prefix, std::string_view path) {
  if (prefix.size() + path.size() <= kMaxMessage) return std::string(prefix) + std::string(path);
  const size_t keep = kMaxMessage - prefix.size() - 3;
  return std::string(prefix) + "..." + std::string(path.substr(path.size() - keep));
}

// While it lives, the console reports middle-button drags instead of copying
// them.
class TBlockReports {
 public:
  explicit TBlockReports(TTextConsole& con) : Con(con) { Con.MiddleDrag = TBlockDrag::Report; }
  ~TBlockReports() { Con.MiddleDrag = TBlockDrag::CopyText; }
  TBlockReports(const TBlockReports&) = delete;
  TBlockReports& operator=(const TBlockReports&) = delete;

 private:
  TTextConsole& Con;
};

// While it lives, the picture's rows are drawn in the glyphs and colours
// its file carries (the console's own where it carries none), and bit 7
// blinks when the file's SAUCE record says blink rather than iCE colours, as
// DOS showed such art; without a record, bright backgrounds. Dialogs over
// the picture hide it for as long as they are open (TPlainRows).
class TArtRows {
 public:
  TArtRows(TTextConsole& con, const TArtRead& read, int firstRow, int lastRow) : Con(con) {
    const TArtPicture& picture = read.Picture;
    Look.FirstRow = firstRow;
    Look.LastRow = lastRow;
    if (picture.Font)
      Look.Glyphs = TGlyphFont{picture.Font->Height, picture.Font->Count, picture.Font->Bits};
    Look.Palette = picture.Palette;
    const TArtHints record = SauceArtHints(read.Sauce);
    Blink = record.IceKnown && !record.Ice;
    Show();
  }
  ~TArtRows() { Hide(); }
  TArtRows(const TArtRows&) = delete;
  TArtRows& operator=(const TArtRows&) = delete;

  void Show() const {
    if (!Look.Empty()) Con.SetRowLook(Look);
    if (Blink) Con.SetBlinkMode(true);
  }
  void Hide() const {
    if (!Look.Empty()) Con.SetRowLook({});
    if (Blink) Con.SetBlinkMode(false);
  }

 private:
  TTextConsole& Con;
  TRowLook Look;
  bool Blink = false;
};

class TPlainRows {
 public:
  explicit TPlainRows(const TArtRows& rows) : Rows(rows) { Rows.Hide(); }
  ~TPlainRows() { Rows.Show(); }
  TPlainRows(const TPlainRows&) = delete;
  TPlainRows& operator=(const TPlainRows&) = delete;

 private:
  const TArtRows& Rows;
};

class TAnsiView {
 public:
  TAnsiView(TTextConsole& con, std::string_view fileName, const TArtRead& read, uint8_t firstRow,
            uint8_t lastRow, std::function<std::string()> fontChars, TFontFile* captureFont)
      : Con(con),
        FileName(fileName),
        Art(read.Picture),
        Record(read.Sauce),
        FirstRow(firstRow),
        LastRow(std::min<uint8_t>(lastRow, kCharListTop - 1)),
        FontChars(std::move(fontChars)),
        CaptureFont(captureFont),
        PageSize(std::max(1, LastRow - FirstRow + 1)),
        Look(con, read, FirstRow, LastRow) {}

  // warning, when not empty, is shown over the first page.
  void Run(std::string_view warning) {
    std::optional<TBlockReports> blocks;
    if (CaptureFont) blocks.emplace(Con);
    DrawPage();
    // A second drawing after a short pause: the window may still have been
    // settling when the first one went out.
    Con.Delay(10);
    DrawPage();
    if (!warning.empty()) {
      Message("Info", warning);
      DrawPage();
    }
    while (!Quit) HandleEvent();
  }

 private:
  int Lines() const { return std::max(1, Art.Rows()); }

  void Message(std::string_view title, std::string_view text) const {
    const TPlainRows plain(Look);
    MessageBox(Con, 0, title, text);
  }

  void DrawPage() {
    const int lines = Lines();
    for (int r = FirstRow; r <= LastRow; ++r) {
      Con.GotoXY(1, r);
      const int line = TopLine + (r - FirstRow);
      if (line > lines) {
        // Blank in the starting attribute, not in the colour of the last
        // cell drawn, which would paint the rows below the art.
        Con.SetTextAttr(7);
        Con.ConWrite(CharStr(' ', kShownCols));
        continue;
      }
      for (int x = 1; x <= kShownCols; ++x) {
        const TScreenChar cell = Art.At(LeftCol + x - 2, line - 1);
        Con.SetTextAttr(cell.Attr);
        // Raw: cells may hold 8 or 13, which are glyphs here, not movements.
        Con.WriteRawChar(cell.Ch == 0 || cell.Ch == 255 ? ' ' : cell.Ch);
      }
    }
    const std::string bar = PercentBar(Bar, TopLine + PageSize - 1, lines, Percent);
    Con.SetTextAttr(0);
    WritePipeXY(Con, 3, 25, 7, bar);
    // Asked at every drawing: a glyph captured meanwhile adds its character.
    DrawCharListRows(Con, FontChars ? FontChars() : std::string());
  }

  void HandleEvent() {
    const TInputEvent event = Con.ReadEvent();
    if (const auto* block = std::get_if<TBlockEvent>(&event)) {
      CaptureBlock(block->Block);
      return;
    }
    if (std::holds_alternative<TQuitEvent>(event)) {
      Quit = true;
      return;
    }
    const TKeyEvent* key = KeyOf(event);
    if (!key) return;
    if (key->Extended) {
      HandleExtendedKey(key->Code);
      return;
    }
    switch (key->Code) {
      case kKeyEscape:
        Quit = true;
        break;
      case kKeyEnter:
      case 'N':
      case 'n':
        if (Percent == 100) Quit = true;
        PageDown();
        break;
      case 'P':
      case 'p':
        PageDown();
        break;
      case kKeyCtrlS:
        SaveAsText();
        break;
      default:
        break;
    }
  }

  void HandleExtendedKey(uint8_t code) {
    const int lines = Lines();
    switch (code) {
      case kScanCtrlS:
        SaveAsText();
        break;
      case kScanF1:
        HelpBox();
        break;
      case kScanHome:
        if (TopLine > 1) MoveTop(1);
        break;
      case kScanUp:
        if (TopLine > 1) MoveTop(TopLine - 1);
        break;
      case kScanLeft:
        if (Wide()) {
          MoveLeft(LeftCol - kSideStep);
          break;
        }
        [[fallthrough]];  // an 80-column picture pages with Left and Right
      case kScanPgUp:
        if (TopLine > 1) MoveTop(std::max(1, TopLine - PageSize));
        break;
      case kScanRight:
        if (Wide()) {
          MoveLeft(LeftCol + kSideStep);
          break;
        }
        [[fallthrough]];
      case kScanPgDn:
        PageDown();
        break;
      case kScanCtrlHome:
        MoveLeft(1);
        break;
      case kScanCtrlEnd:
        MoveLeft(LastLeftCol());
        break;
      case kScanEnd:
        if (TopLine + PageSize <= lines) MoveTop(lines - PageSize + 1);
        break;
      case kScanDown:
        if (TopLine + PageSize <= lines) MoveTop(TopLine + 1);
        break;
      default:
        break;
    }
  }

  void MoveTop(int topLine) {
    TopLine = topLine;
    DrawPage();
  }

  // A picture wider than 80 columns scrolls sideways; column 80 of one of
  // 80 stays hidden, as it always was.
  bool Wide() const { return Art.Width() > kArtDefaultWidth; }
  int LastLeftCol() const { return Wide() ? Art.Width() - kShownCols + 1 : 1; }

  // Shows the picture from column leftCol on (kept inside the picture); a
  // page that does not move is not drawn again.
  void MoveLeft(int leftCol) {
    leftCol = std::clamp(leftCol, 1, LastLeftCol());
    if (leftCol == LeftCol) return;
    LeftCol = leftCol;
    DrawPage();
  }

  void PageDown() {
    const int lines = Lines();
    if (lines - PageSize <= TopLine) return;
    TopLine += PageSize;
    if (TopLine + PageSize > lines) TopLine = lines - PageSize + 1;
    DrawPage();
  }

  // The block marked with the middle button becomes a glyph of the capture
  // font, taken from the screen as shown; then the page is drawn again, with
  // the new character in the list.
  void CaptureBlock(const TCellBlock& block) {
    if (!CaptureFont) return;
    TCellGrid shown;
    Con.SaveScreen(shown);
    if (!CaptureGlyph(Con, *CaptureFont, shown, block))
      Message("Error", "Error while saving font char.");
    DrawPage();
  }

  // Every key of the viewer, then the file's record.
  void HelpBox() {
    struct TKeyLine {
      const char* Keys;
      const char* What;
      bool Capture = false;  // only while blocks are captured as glyphs
    };
    static constexpr TKeyLine kKeys[] = {
        {"Up, Down", "One line"},
        {"PgUp, PgDn, P", "The previous, the next page"},
        {"Enter, N", "The next page; on the last one, leave"},
        {"Home, End", "The top, the bottom"},
        {"Left, Right", "Wide art: 8 columns sideways; else a page"},
        {"Ctrl+Home, Ctrl+End", "Wide art: its left, its right edge"},
        {"Ctrl+S", "Save the picture as text"},
        {"Middle-button drag", "Capture the block as a glyph", true},
        {"F1", "This help"},
        {"Esc", "Leave the viewer"},
    };
    const TPlainRows plain(Look);
    TCellGrid saved;
    Con.SaveScreen(saved);
    PanelBox(Con, 6, FirstRow, 74, FirstRow + 21, 0);
    Con.WriteXY(8, FirstRow + 1, 0x1F, "Help");
    int row = FirstRow + 3;
    for (const TKeyLine& key : kKeys)
      // Without a font to capture into, a drag copies the block, as everywhere.
      if (CaptureFont || !key.Capture)
        Con.WriteXY(10, static_cast<uint8_t>(row++), 0x70, PadRight(key.Keys, 21, ' ') + key.What);
    ShowSauce(FirstRow + 14);
    Con.WriteXY(10, FirstRow + 19, 0x70, "Press any key...");
    WaitForAnyKey(Con);
    Con.RestoreScreen(saved);
  }

  // The file's own label, when it has a record, on rows row..row+3. The
  // texts go on raw: control bytes in them are pictures, not movements.
  void ShowSauce(int row) const {
    if (!Record) return;
    const TSauce& sauce = *Record;
    const std::string rows[] = {"Title  : " + sauce.Title, "Author : " + sauce.Author,
                                "Group  : " + sauce.Group, "Date   : " + sauce.Date};
    for (const std::string& text : rows) PutText(Con, 10, row++, 0x70, text);
  }

  // The export goes beside the art file under the name the user confirms
  // (the art's name with ".txt" to start with), or into the working directory
  // when the art's folder cannot be written. A file of that name is written
  // over only after a question (NO first; NO goes back to the name). The
  // user is told where it went, or why nothing was written.
  void SaveAsText() {
    TCellGrid saved;
    Con.SaveScreen(saved);
    std::string name = ArticleName(FileName);
    std::error_code ec;
    const std::filesystem::path workDir = std::filesystem::current_path(ec);
    const std::string fallback = ec ? "." : workDir.string();
    for (;;) {
      {
        const TPlainRows plain(Look);
        const bool ok = InputBox(Con, 15, 12, 67, 17, "Enter Filename:", name);
        Con.RestoreScreen(saved);
        if (!ok || name.empty()) return;
      }
      std::string path, why, replace;
      bool written = false;
      for (;;) {
        written = SaveArticleBeside(Art, FileName, name, fallback, path, why, replace);
        // Nothing in the way: written, or failed for a reason of its own.
        if (written || path.empty() || path == replace || !AskToReplace(path)) break;
        replace = path;
      }
      if (written) {
        const std::filesystem::path full = std::filesystem::absolute(path, ec);
        Message("Info", FitPath("Saved as ", ec ? path : full.string()));
        return;
      }
      if (path.empty() || path == replace) {
        Message("Error", "Not saved: " + why);
        return;
      }
      // NO to the question: the name again.
    }
  }

  bool AskToReplace(const std::string& path) const {
    const TPlainRows plain(Look);
    return AskAboutName(Con, " Save ", "", JustName(path), " exists. Overwrite?");
  }

  TTextConsole& Con;
  const std::string FileName;
  const TArtPicture& Art;
  const std::optional<TSauce>& Record;  // read with the picture
  const uint8_t FirstRow;
  const uint8_t LastRow;  // of the picture: the character list takes the rows below
  const std::function<std::string()> FontChars;  // asked at every drawing
  TFontFile* const CaptureFont;  // takes the marked blocks as glyphs; none: no capture
  const int PageSize;            // a page is the rows shown
  int TopLine = 1;
  int LeftCol = 1;  // the picture's column on the screen's column 1
  uint16_t Percent = 0;
  bool Quit = false;
  const RecPercent Bar;
  const TArtRows Look;
};

}  // namespace

std::string PercentBar(const RecPercent& bar, int value, int max, uint16_t& percent) {
  if (value > max) value = max;
  int filled = 0;
  percent = 0;
  if (value > 0 && max > 0) {
    // nearbyint rounds halves to even in the default rounding mode.
    filled = static_cast<int>(std::nearbyint(static_cast<double>(bar.BarWidth) * value / max));
    percent = static_cast<uint16_t>(std::nearbyint(static_cast<double>(value) / max * 100));
  }
  filled = std::clamp<int>(filled, 0, bar.BarWidth);
  return AttrToPipes(bar.FullAttr) + CharStr(static_cast<char>(bar.FullChar), filled) +
         AttrToPipes(bar.EmptyAttr) +
         CharStr(static_cast<char>(bar.EmptyChar), static_cast<uint8_t>(bar.BarWidth - filled));
}

void ShowAnsiFile(TTextConsole& con, std::string_view fileName, uint8_t firstRow, uint8_t lastRow,
                  std::function<std::string()> fontChars, TFontFile* captureFont) {
  con.SetTextAttr(7);
  if (!FileThere(fileName)) return;
  auto read = std::make_unique<TArtRead>();
  int error = 0;
  if (!ReadArtFile(fileName, *read, error)) {
    MessageBox(con, 0, "Error", "Error Opening File!");
    return;
  }
  const std::string problem = JustName(fileName) + ": " + read->Message;
  if (NothingDrawn(read->Problem)) {
    MessageBox(con, 0, "Error", problem);
    return;
  }
  // A file cut short shows what it holds, and says so.
  const bool partial = read->Problem != TArtProblem::None;
  // Column 80 and the ends of row 25 are never drawn: cleared, they show no
  // remains of the main screen.
  con.ClrScr();
  TAnsiView(con, fileName, *read, firstRow, lastRow, std::move(fontChars), captureFont)
      .Run(partial ? problem : std::string());
  con.GotoXY(1, 25);
}
