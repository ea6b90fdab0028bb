#include "screens/GlyphEditor.h"

#include <algorithm>
#include <functional>
#include <string>
#include <utility>

#include "console/ConsoleLayer.h"
#include "console/KeyCodes.h"
#include "screens/GlyphEditorScreen.h"
#include "tdf/FontFile.h"
#include "tdf/GlyphCapture.h"
#include "widgets/Prompts.h"

namespace {

// What F1..F8 type: the shades, the full and half blocks.
constexpr uint8_t kBlockChars[] = {176, 177, 178, 219, 220, 223, 221, 222};

// Installs the click hook for one editor run and puts back whatever was there.
class TClickKeys {
 public:
  TClickKeys() : Previous(std::move(MouseClickHandler)) {
    MouseClickHandler = [](int x, int y) {
      if (!Console) return;
      Console->PushExtKey(kScanMouseClick);
      Console->PushKey(static_cast<uint8_t>(x));
      Console->PushKey(static_cast<uint8_t>(y));
    };
  }
  ~TClickKeys() { MouseClickHandler = std::move(Previous); }
  TClickKeys(const TClickKeys&) = delete;
  TClickKeys& operator=(const TClickKeys&) = delete;

 private:
  std::function<void(int, int)> Previous;
};

void KeepCursorInside(TGlyphEditor& e) {
  const TGlyphPicture& p = e.Edit.Picture();
  e.X = std::clamp(e.X, 0, p.Columns() - 1);
  e.Y = std::clamp(e.Y, 0, p.Lines() - 1);
}

void MoveCursor(TGlyphEditor& e, int dx, int dy) {
  e.X += dx;
  e.Y += dy;
  KeepCursorInside(e);
}

// Puts ch in the current colour on the cursor cell and moves right.
void PutCell(TGlyphEditor& e, uint8_t ch) {
  if (!CellStorable(ch, e.Attr(), e.FontType)) {
    e.Message = "A '&' in colour 0 or 13 would read as the end of its row.";
    return;
  }
  e.Edit.SetCell(e.X, e.Y, {true, ch, e.Attr()}, e.FontType);
  MoveCursor(e, 1, 0);
}

// Types ch into the cursor cell and moves right.
void TypeChar(TGlyphEditor& e, uint8_t ch) {
  if (e.FontType == ftOutline) {
    if (ch >= 'a' && ch <= 'q') ch = static_cast<uint8_t>(ch - 'a' + 'A');
    if (ch != '@' && (ch < 'A' || ch > 'Q')) {
      e.Message = "Outline cells are the letters A to Q and @.";
      return;
    }
  }
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

void ChangeColour(TGlyphEditor& e, uint8_t& colour) {
  if (e.FontType != ftColor) {
    e.Message = "Only Color fonts have colours.";
    return;
  }
  colour = static_cast<uint8_t>((colour + 1) % 16);
}

// Width and height stop where the view ends: what cannot be seen cannot be edited.
void Resize(TGlyphEditor& e, int dw, int dh) {
  const TGlyphPicture& p = e.Edit.Picture();
  const int width = p.Width + dw, height = p.Height + dh;
  if ((dw > 0 && width > ViewColumns()) || (dh > 0 && height > ViewLines())) {
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
    MessageBox(0, "Error", GlyphStoreMessage(result));
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
bool LeaveWithoutSaving() {
  return MessageBox(1, " Glyph ", "The changes are not saved. Leave anyway?", false);
}

void Click(TGlyphEditor& e) {
  const int x = ReadKey(), y = ReadKey();
  const int column = e.ViewX + x - kGlyphLeft, row = e.ViewY + y - kGlyphTop;
  const TGlyphPicture& p = e.Edit.Picture();
  const bool inView = x >= kGlyphLeft && x < kGlyphLeft + ViewColumns() && y >= kGlyphTop &&
                      y < kGlyphTop + ViewLines();
  if (inView && column < p.Columns() && row < p.Lines()) {
    e.X = column;
    e.Y = row;
  }
}

void ExtendedKey(TGlyphEditor& e, uint8_t scan) {
  if (scan >= kScanF1 && scan <= kScanF8) {
    TypeChar(e, kBlockChars[scan - kScanF1]);
    return;
  }
  switch (scan) {
    case kScanUp:
      MoveCursor(e, 0, -1);
      break;
    case kScanDown:
      MoveCursor(e, 0, 1);
      break;
    case kScanLeft:
      MoveCursor(e, -1, 0);
      break;
    case kScanRight:
      MoveCursor(e, 1, 0);
      break;
    case kScanHome:
      e.X = 0;
      break;
    case kScanEnd:
      MoveCursor(e, e.Edit.Picture().Columns(), 0);
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
      e.Edit.SetCell(e.X, e.Y, {}, e.FontType);
      break;
    case kScanF9:
      ChangeColour(e, e.Fg);
      break;
    case kScanF10:
      ChangeColour(e, e.Bg);
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
    case kScanMouseClick:
      Click(e);
      break;
    default:
      break;
  }
}

void PlainKey(TGlyphEditor& e, uint8_t key) {
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

}  // namespace

void EditGlyph(TFontFile& font, uint8_t ch, const TFontLook& look) {
  // The glyph as the file holds it now, not as it was when the font was shown.
  if (!SelectFont(font, font.Selected) && font.OpenFailed) {
    MessageBox(0, "Error", "Error Opening File!");
    return;
  }
  TGlyphPicture picture;
  LoadGlyphPicture(font, ch, picture);
  TGlyphEditor e;
  e.Font = &font;
  e.Look = look;
  e.Ch = ch;
  e.FontType = font.Header.FontType;
  e.Edit = TGlyphEdit(picture);
  if (e.FontType == ftColor) TakeColourOfGlyph(e);
  const TClickKeys clicks;
  for (;;) {
    DrawGlyphEditor(e);
    e.Message.clear();
    const uint8_t key = ReadKey();
    if (key == 0) {
      ExtendedKey(e, ReadKey());
    } else if (key == kKeyEscape) {
      if (!e.Edit.Modified() || LeaveWithoutSaving()) break;
    } else {
      PlainKey(e, key);
    }
  }
}
