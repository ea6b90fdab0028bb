#include "screens/GlyphEditor.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

#include "console/KeyCodes.h"
#include "screens/GlyphCaptureDialog.h"
#include "screens/GlyphEditorActions.h"
#include "screens/GlyphEditorScreen.h"
#include "tdf/FontFile.h"
#include "tdf/GlyphCapture.h"
#include "tdf/OutlineStyles.h"
#include "widgets/Prompts.h"

namespace {

// What F1..F8 type: the shades, the full and half blocks.
constexpr uint8_t kBlockChars[] = {176, 177, 178, 219, 220, 223, 221, 222};

// Has the console hand every press, drag and release to the editor for one
// run, and puts back what it did before.
class TMouseEvents {
 public:
  explicit TMouseEvents(TTextConsole& con) : Con(con), Previous(con.MouseEvents) {
    Con.MouseEvents = true;
  }
  ~TMouseEvents() { Con.MouseEvents = Previous; }
  TMouseEvents(const TMouseEvents&) = delete;
  TMouseEvents& operator=(const TMouseEvents&) = delete;

 private:
  TTextConsole& Con;
  bool Previous;
};

// Puts ch in the current colour on the cursor cell and moves right.
void PutCell(TGlyphEditor& e, uint8_t ch) {
  if (!CellStorable(ch, e.Attr(), e.FontType)) {
    e.Message = "A '&' in colour 0 or 13 would read as the end of its row.";
    return;
  }
  e.Edit.SetCell(e.X, e.Y, {true, ch, e.Attr()}, e.FontType);
  MoveCursor(e, 1, 0);
}

// Types ch into the cursor cell and moves right; ch becomes the brush.
void TypeChar(TGlyphEditor& e, uint8_t ch) {
  if (e.FontType == ftOutline) {
    if (ch >= 'a' && ch <= 'q') ch = static_cast<uint8_t>(ch - 'a' + 'A');
    if (ch != '@' && (ch < 'A' || ch > 'Q')) {
      e.Message = "Outline cells are the letters A to Q and @.";
      return;
    }
  }
  e.Brush = ch;
  PutCell(e, ch);
}

// Tab: the current colour on the cursor cell (an undefined one becomes a coloured space).
void PaintCell(TGlyphEditor& e) {
  if (e.FontType != ftColor) {
    e.Message = "Only Color fonts have colours.";
    return;
  }
  const TEditCell cell = e.Edit.Cell(e.X, e.Y);
  const uint8_t ch = cell.Defined ? cell.Ch : ' ';
  PutCell(e, ch);
}

void ChangeColour(TGlyphEditor& e, uint8_t& colour, int step) {
  if (e.FontType != ftColor) {
    e.Message = "Only Color fonts have colours.";
    return;
  }
  colour = static_cast<uint8_t>((colour + 16 + step) % 16);
}

// Width and height stop where the view ends: what cannot be seen cannot be edited.
void Resize(TGlyphEditor& e, int dw, int dh) {
  const TGlyphPicture& p = e.Edit.Picture();
  const int width = p.Width + dw, height = p.Height + dh;
  if ((dw > 0 && width > ViewColumns(e.Con)) || (dh > 0 && height > ViewLines(e.Con))) {
    e.Message = "The glyph fills the screen.";
    return;
  }
  e.Edit.Resize(width, height);
  KeepCursorInside(e);
}

void UndoOrRedo(TGlyphEditor& e, bool undo) {
  if (!(undo ? e.Edit.Undo() : e.Edit.Redo()))
    e.Message = undo ? "Nothing to undo." : "Nothing to redo.";
  KeepCursorInside(e);
}

void Save(TGlyphEditor& e) {
  if (!e.Edit.Modified()) {
    e.Message = "No changes to save.";
    return;
  }
  const TGlyphStoreResult result =
      StoreGlyph(*e.Font, e.Ch, EncodeGlyph(e.Edit.Picture(), e.FontType), true);
  if (result.Status != TGlyphStore::Stored) {
    ReportGlyphStoreFailure(e.Con, *e.Font, result);
    return;
  }
  // Show what the file holds now (an undefined cell inside a row was stored as a space).
  TGlyphPicture stored;
  if (LoadGlyphPicture(*e.Font, e.Ch, stored) == TGlyphRead::Found) e.Edit.Replace(stored);
  e.Edit.MarkSaved();
  KeepCursorInside(e);
  e.Message = "Saved.";
}

// A YES/NO box that starts on NO: an Enter pressed by habit keeps the work.
bool LeaveWithoutSaving(TTextConsole& con) {
  return MessageBox(con, 1, " Glyph ", "The changes are not saved. Leave anyway?", false);
}

// A plain move: a floating paste goes along, a mark is dropped.
void Step(TGlyphEditor& e, int dx, int dy) {
  if (!e.Floating) e.Selection.reset();
  MoveCursor(e, dx, dy);
}

// What the loop does after a key: stay on this glyph, go to another, or leave.
struct TNext {
  bool Leave = false;
  uint8_t Ch = 0;  // another glyph to edit
};

// Ctrl+PgUp and Ctrl+PgDn: the character before or after, asking first, as
// Esc does, when the changes are not saved.
TNext GoToNeighbour(TGlyphEditor& e, int step) {
  const int ch = e.Ch + step;
  if (ch < kFirstGlyphChar || ch > kLastGlyphChar) {
    e.Message = step < 0 ? "This is the first character." : "This is the last character.";
    return {};
  }
  if (e.Edit.Modified() && !LeaveWithoutSaving(e.Con)) return {};
  return {false, static_cast<uint8_t>(ch)};
}

TNext ExtendedKey(TGlyphEditor& e, uint8_t scan) {
  if (scan >= kScanF1 && scan <= kScanF8) {
    TypeChar(e, kBlockChars[scan - kScanF1]);
    return {};
  }
  switch (scan) {
    case kScanUp:
      Step(e, 0, -1);
      break;
    case kScanDown:
      Step(e, 0, 1);
      break;
    case kScanLeft:
      Step(e, -1, 0);
      break;
    case kScanRight:
      Step(e, 1, 0);
      break;
    case kScanShiftUp:
      MarkTo(e, 0, -1);
      break;
    case kScanShiftDown:
      MarkTo(e, 0, 1);
      break;
    case kScanShiftLeft:
      MarkTo(e, -1, 0);
      break;
    case kScanShiftRight:
      MarkTo(e, 1, 0);
      break;
    case kScanHome:
      Step(e, -e.X, 0);
      break;
    case kScanEnd:
      Step(e, e.Edit.Picture().Columns(), 0);
      break;
    case kScanCtrlLeft:
      Resize(e, -1, 0);
      break;
    case kScanCtrlRight:
      Resize(e, 1, 0);
      break;
    case kScanPgUp:
      Resize(e, 0, -1);
      break;
    case kScanPgDn:
      Resize(e, 0, 1);
      break;
    case kScanDelete:
      if (!UndefineMarked(e)) e.Edit.SetCell(e.X, e.Y, {}, e.FontType);
      break;
    case kScanF9:
      ChangeColour(e, e.Fg, 1);
      break;
    case kScanF10:
      ChangeColour(e, e.Bg, 1);
      break;
    case kScanShiftF9:
      ChangeColour(e, e.Fg, -1);
      break;
    case kScanShiftF10:
      ChangeColour(e, e.Bg, -1);
      break;
    case kScanCtrlC:
      CopyMarked(e, false);
      break;
    case kScanCtrlX:
      CopyMarked(e, true);
      break;
    case kScanCtrlV:
      StartPaste(e);
      break;
    case kScanCtrlG:
      CopyInGlyph(e);
      break;
    case kScanCtrlB:
      CopyInClipboard(e);
      break;
    case kScanCtrlW:
      SaveAsCharacter(e);
      break;
    case kScanCtrlZ:
      UndoOrRedo(e, true);
      break;
    case kScanCtrlR:
      UndoOrRedo(e, false);
      break;
    case kScanCtrlS:
      Save(e);
      break;
    case kScanCtrlPgUp:
      return GoToNeighbour(e, -1);
    case kScanCtrlPgDn:
      return GoToNeighbour(e, 1);
    default:
      break;
  }
  return {};
}

void PlainKey(TGlyphEditor& e, uint8_t key) {
  // With a block marked, H, V and F act on it; without, they are typed.
  const char upper = static_cast<char>(key >= 'a' && key <= 'z' ? key - 32 : key);
  if ((upper == 'H' && FlipMarked(e, TFlip::Horizontal)) ||
      (upper == 'V' && FlipMarked(e, TFlip::Vertical)) || (upper == 'F' && FillMarked(e)))
    return;
  // O steps the Outline style, as on the main screen; '@' types a blank cell.
  if (upper == 'O' && e.FontType == ftOutline) {
    e.Look.Style.Outline = static_cast<uint8_t>((e.Look.Style.Outline + 1) % kOutlineStyleCount);
    return;
  }
  switch (key) {
    case kKeyBackspace:
      if (e.X == 0) break;
      MoveCursor(e, -1, 0);
      e.Edit.SetCell(e.X, e.Y, {}, e.FontType);
      break;
    case kKeyTab:
      PaintCell(e);
      break;
    case kKeyEnter:
      if (e.Floating) {
        StampPaste(e);
        break;
      }
      e.X = 0;
      MoveCursor(e, 0, 1);
      break;
    default:
      if (key >= ' ' && key <= '~') TypeChar(e, key);
      break;
  }
}

// New cells start in the colour the glyph already has.
void TakeColourOfGlyph(TGlyphEditor& e) {
  for (const auto& row : e.Edit.Picture().Cells) {
    for (const TEditCell& cell : row) {
      if (!cell.Defined) continue;
      e.Fg = cell.Attr & 15;
      e.Bg = cell.Attr >> 4;
      return;
    }
  }
}

// Edits glyph ch until the user leaves (answers 0) or goes to another glyph
// (answers it). The look, brush and colours go on to the next glyph.
uint8_t EditOneGlyph(TGlyphEditor& e, uint8_t ch, bool first) {
  TGlyphPicture picture;
  LoadGlyphPicture(*e.Font, ch, picture);
  e.Ch = ch;
  e.Edit = TGlyphEdit(picture);
  e.X = e.Y = e.ViewX = e.ViewY = 0;
  e.Selection.reset();
  e.Floating.reset();
  e.Drag = TGlyphEditor::TDrag::None;
  if (first && e.FontType == ftColor) TakeColourOfGlyph(e);
  for (;;) {
    DrawGlyphEditor(e);
    e.Message.clear();
    const TInputEvent event = e.Con.ReadEvent();
    if (const auto* mouse = std::get_if<TMouseEvent>(&event)) {
      MouseAction(e, *mouse);
      continue;
    }
    const TKeyEvent* key = KeyOf(event);
    if (key && key->Extended) {
      const TNext next = ExtendedKey(e, key->Code);
      if (next.Ch != 0) return next.Ch;
    } else if (IsEscape(event)) {
      // Esc first drops a floating paste, then the mark, then leaves.
      if (e.Floating) {
        e.Floating.reset();
      } else if (e.Selection) {
        e.Selection.reset();
      } else if (!e.Edit.Modified() || LeaveWithoutSaving(e.Con)) {
        return 0;
      }
    } else if (key) {
      PlainKey(e, key->Code);
    }
  }
}

}  // namespace

void EditGlyph(TTextConsole& con, TFontFile& font, uint8_t ch, TFontLook& look,
               const TSample& sample, TGlyphPiece& clipboard) {
  // The glyph as the file holds it now, not as it was when the font was shown.
  if (!SelectFont(font, font.Selected) && font.OpenFailed) {
    MessageBox(con, 0, "Error", "Error Opening File!");
    return;
  }
  // Another program changed the file since it was listed (a font added
  // before this one moves it): the font shown is read where it is now.
  const int n = font.Selected;
  if (n >= 1 && n <= font.Count() &&
      std::memcmp(&font.Header, &font.Fonts[n].Header, kFontHeaderSize) != 0 &&
      !ReloadSameFont(font) && font.OpenFailed) {
    MessageBox(con, 0, "Error", "Error Opening File!");
    return;
  }
  TGlyphEditor e(con);
  e.Font = &font;
  e.Look = look;
  e.SampleText = sample.Text;
  e.Clipboard = &clipboard;
  e.FontType = font.Header.FontType;
  if (e.FontType == ftOutline) e.Brush = 'A';  // a role: a block would draw as itself
  const TMouseEvents mouse(con);
  for (bool first = true; ch != 0; first = false) ch = EditOneGlyph(e, ch, first);
  look.Style.Outline = e.Look.Style.Outline;
}
