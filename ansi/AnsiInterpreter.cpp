#include "ansi/AnsiInterpreter.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <utility>

#include "ansi/AnsiText.h"
#include "ansi/ArtColors.h"
#include "ansi/PrintableRuns.h"

namespace {

using printable_runs::kEndOfFile;
using printable_runs::kEsc;
constexpr uint8_t kBell = 7;

constexpr int64_t kMaxParam = std::numeric_limits<int32_t>::max();

// The bytes the text state does not simply draw: TAB, LF, CR, 26 and ESC.
constexpr std::array<bool, 256> kActsOn = [] {
  std::array<bool, 256> table{};
  for (const uint8_t b : {9, 10, 13, 26, 27}) table[b] = true;
  return table;
}();

// The parameter bytes of a control sequence: digits, ":", ";", "<", "=",
// ">" and "?".
constexpr std::array<bool, 256> kParamChar = [] {
  std::array<bool, 256> table{};
  for (int b = 0x30; b <= 0x3F; ++b) table[b] = true;
  return table;
}();

bool IsParamChar(uint8_t ch) {
  return kParamChar[ch];
}

// The bytes between the parameters and the final byte: " " to "/". No
// sequence art uses has them (SyncTERM's font choice "ESC[0;1 D" does), so
// a sequence with them changes nothing.
bool IsIntermediate(uint8_t ch) {
  return ch >= 0x20 && ch <= 0x2F;
}

// What graphic rendition values do to the colours and to reverse video:
// keep the bits of Keep, then set those of Set. Changes one after another
// make one change of the same form.
struct TRenditionChange {
  uint8_t Keep = 0xFF;
  uint8_t Set = 0;
  bool KeepReverse = true;
  bool SetReverse = false;

  constexpr TRenditionChange Then(const TRenditionChange& next) const {
    return {static_cast<uint8_t>(Keep & next.Keep),
            static_cast<uint8_t>((Set & next.Keep) | next.Set),
            static_cast<bool>(KeepReverse & next.KeepReverse),
            static_cast<bool>((SetReverse & next.KeepReverse) | next.SetReverse)};
  }
};
static_assert(sizeof(TRenditionChange) == sizeof(uint32_t));

// The change of each value; the ones not listed change nothing. 38 and 48
// (extended colours) take the numbers after them and are not handled here.
constexpr int kRenditionCount = 128;  // 108..127 change nothing: a value past every one
constexpr std::array<TRenditionChange, kRenditionCount> kRenditions = [] {
  std::array<TRenditionChange, kRenditionCount> table{};
  table[0] = {0x00, 0x07, false, false};
  table[1] = {0xFF, 0x08};  // bright foreground
  table[5] = {0xFF, 0x80};  // blink, which iCE colours show as a bright background
  // Reverse video is a mode, not a swap: colours chosen while it is on show
  // reversed too.
  table[7] = {0xFF, 0x00, false, true};
  table[27] = {0xFF, 0x00, false, false};
  // ANSI numbers colours differently from the PC; the mapping is its own inverse.
  for (int c = 0; c < 8; ++c) {
    // Brightness, background and blink stay.
    table[30 + c] = {0xF8, static_cast<uint8_t>(AnsiColorDigit(c))};
    // Blink (the bright-background bit) stays, as does the foreground.
    table[40 + c] = {0x8F, static_cast<uint8_t>(AnsiColorDigit(c) << 4)};
    // The bright colours as terminals number them (what brixel-cli prints):
    // 90-97 a bright foreground, 100-107 a bright background.
    table[90 + c] = {0xF0, static_cast<uint8_t>(8 | AnsiColorDigit(c))};
    table[100 + c] = {0x0F, static_cast<uint8_t>((8 | AnsiColorDigit(c)) << 4)};
  }
  return table;
}();

const TRenditionChange& Rendition(uint32_t n) {
  return kRenditions[std::min<uint32_t>(n, kRenditionCount - 1)];
}

// The change the parameter text of a colour change ("1;33;44") makes, read
// without branches on the kind of each byte (digits, separators and how many
// of each come in no order a branch predictor could learn). False when the
// text needs the slow form: extended colours (38, 48), sub-parameters (":").
bool ComposeRenditions(std::string_view params, TRenditionChange& change) {
  change = {};
  int64_t value = 0;
  bool pending = false;  // digits since the last separator
  bool slow = false;
  const auto finish = [&](bool ends, int64_t number) {
    // Not a number's end: the value that changes nothing, without a branch.
    const uint32_t n = static_cast<uint32_t>(std::min<int64_t>(number, kRenditionCount - 1)) |
                       ((uint32_t{ends} - 1) & (kRenditionCount - 1));
    change = change.Then(Rendition(n));
    slow |= ends & ((n == 38) | (n == 48));
  };
  for (const char c : params) {
    const unsigned digit = static_cast<uint8_t>(c) - static_cast<unsigned>('0');
    const bool isDigit = digit <= 9;
    finish(!isDigit, value);
    const int64_t more = std::min<int64_t>(value * 10 + digit, kMaxParam);
    value = isDigit ? more : 0;
    pending = isDigit;
    slow |= c == ':';
  }
  finish(pending, value);
  return !slow;
}

// The parameter text of up to 8 bytes as one number, for TColourMemo; the
// text is followed by at least readable - params.size() bytes.
uint64_t MemoKey(std::string_view params, size_t readable) {
  uint64_t key = 0;
  if (readable >= sizeof key) {
    std::memcpy(&key, params.data(), sizeof key);
    const unsigned bits = 8 * static_cast<unsigned>(params.size());
    key &= bits ? ~uint64_t{0} >> (64 - bits) : 0;
  } else {
    std::memcpy(&key, params.data(), params.size());
  }
  return key;
}

// The attribute cells get in reverse video, as ANSI art viewers draw it: the
// background colour in front, bright when the foreground is bright or, with
// iCE colours, the background was (blink); the foreground's colour, dark,
// behind. Without iCE colours blink stays blink: it was never a colour.
constexpr uint8_t Reversed(uint8_t pen, bool ice) {
  const uint8_t fg = pen & 0x0F;
  const uint8_t bg = pen >> 4;
  if (!ice) return static_cast<uint8_t>((pen & 0x80) | (fg & 7) << 4 | (bg & 7) | (fg & 8));
  return static_cast<uint8_t>((fg & 7) << 4 | bg | (fg & 8));
}

// A count of 0 means 1 in cursor movements.
int64_t AtLeastOne(int64_t n) {
  return n == 0 ? 1 : n;
}

// True when the number at the front of params is joined to the next by ":",
// as the sub-parameters of one rendition are.
bool JoinedToNext(std::string_view params) {
  const size_t end = params.find_first_not_of("0123456789");
  return end != std::string_view::npos && params[end] == ':';
}

// ESC and the byte that starts a control string: DCS, OSC, SOS, PM, APC.
bool StartsControlString(uint8_t ch) {
  return ch == 'P' || ch == ']' || ch == 'X' || ch == '^' || ch == '_';
}

int LastRowFor(const TArtPicture& picture) {
  return std::min(kAnsiRows, picture.RowLimit());
}

bool IsParamSeparator(uint8_t ch) {
  return ch == ';' || ch == ':';
}

}  // namespace

bool AnsiParamsWithinLimits(std::string_view params) {
  size_t separators = 0, digits = 0;
  for (const char c : params) {
    const bool separator = IsParamSeparator(static_cast<uint8_t>(c));
    separators += separator;
    digits = separator ? 0 : digits + 1;
    if (separators >= kMaxAnsiParams || digits > kMaxAnsiParamDigits) return false;
  }
  return true;
}

TMsgBaseAnsi::TMsgBaseAnsi(int width) : Art(width), Bottom(LastRowFor(Art)) {}

void TMsgBaseAnsi::SetMaxRows(int rows) {
  Art.SetMaxRows(rows);
  Bottom = LastRowFor(Art);
}

void TMsgBaseAnsi::Clear() {
  Pen = 7;
  Reverse = false;
  CurAttr = 7;
  SavedX = SavedY = 0;
  ClearPicture();
  ResetEscape();
}

void TMsgBaseAnsi::Clear(int width) {
  Art.Clear(width);
  Bottom = LastRowFor(Art);
  Clear();
}

TArtPicture TMsgBaseAnsi::TakePicture() {
  TArtPicture picture = std::move(Art);
  Art = TArtPicture(picture.Width());
  Art.SetMaxRows(picture.MaxRows());
  Clear();
  return picture;
}

void TMsgBaseAnsi::ClearPicture() {
  CurX = 1;
  CurY = 1;
  Art.Clear();
}

void TMsgBaseAnsi::ResetEscape() {
  EscState = kText;
  EscParams.clear();  // keeps its capacity: no allocation per sequence
  ParamSeparators = ParamDigits = 0;
  ParamsSkipped = false;
}

bool TMsgBaseAnsi::ProcessBuffer(std::span<const uint8_t> buf) {
  size_t i = 0;
  while (i < buf.size()) {
    if (EscState == kText) {
      bool stop = false;
      i = RunText(buf, i, stop);
      if (stop) return true;
      if (i == buf.size()) break;
    }
    const uint8_t b = buf[i++];
    // Line ends inside a control string are part of it.
    if (EscState >= kInString && b != kEndOfFile) {
      ProcessChar(b);
      continue;
    }
    switch (b) {
      case 10:
        if (CurY == Bottom) return true;
        ++CurY;
        CurX = 1;
        break;
      case 13:
        CurX = 1;
        break;
      case kEndOfFile:
        return true;  // whatever follows (a metadata record) is not art
      default:
        ProcessChar(b);
    }
  }
  return false;
}

size_t TMsgBaseAnsi::RunText(std::span<const uint8_t> buf, size_t i, bool& stop) {
  // Most of a file is characters, line ends and whole control sequences.
  // They run here with the cursor in locals, since stores into the picture
  // could alias the fields and force them through memory. The parameter text
  // is empty in the text state, so no reset is needed after a character.
  using printable_runs::kBlock;
  const uint8_t* const data = buf.data();
  const size_t size = buf.size();
  const int width = Art.Width();
  const int bottom = Bottom;
  int y = CurY;
  int x = CurX;
  uint8_t attr = CurAttr;
  // Row y's cells, once the picture has the row: a row comes into being when
  // something is printed in it, not when the cursor passes.
  TScreenChar* row = Art.RowCells(y - 1);
  // GrowToRow never fails here: Bottom keeps the rows inside kArtMaxCells.
  while (i < size) {
    // Characters a block at a time while the row has room for a whole block.
    while (size - i >= kBlock && x + kBlock - 1 <= width) {
      const unsigned acting = printable_runs::ActingBytes(data + i);
      if (acting == 0) {
        if (!row) row = Art.GrowToRow(y - 1);
        printable_runs::StoreBlock(row + (x - 1), data + i, attr);
        x += kBlock;
        i += kBlock;
        // A block that filled the row wraps as its last character would have.
        if (x > width) {
          x = width;
          if (y < bottom) {
            x = 1;
            row = Art.RowCells(++y - 1);
          }
        }
        continue;
      }
      // The characters before the first byte that acts, then that byte below.
      // The row is there unless it is new, so the test on n is seldom made.
      const int n = std::countr_zero(acting);
      if (!row && n > 0) row = Art.GrowToRow(y - 1);
      if (row) printable_runs::StoreFirst(row + (x - 1), data + i, attr, n);
      x += n;
      i += n;
      break;
    }
    if (i >= size) break;
    const uint8_t ch = data[i];
    if (!kActsOn[ch]) {
      if (!row) row = Art.GrowToRow(y - 1);
      row[x - 1] = {ch, attr};
      if (x < width) {
        ++x;
      } else if (y < bottom) {
        x = 1;
        row = Art.RowCells(++y - 1);
      }
      // On the last row, later characters overwrite the last cell.
      ++i;
      continue;
    }
    if (ch == 10) {
      ++i;
      if (y == bottom) {
        stop = true;
        break;
      }
      x = 1;
      row = Art.RowCells(++y - 1);
      continue;
    }
    if (ch == 13) {
      x = 1;
      ++i;
      continue;
    }
    if (ch == 9) {
      x = std::min(x + 8, width);  // no tab stops: always 8 columns on
      ++i;
      continue;
    }
    if (ch == kEndOfFile) {
      ++i;
      stop = true;  // whatever follows (a metadata record) is not art
      break;
    }
    // ESC "[", parameters, final byte, all of it in this buffer and no CR,
    // LF or 26 inside. Anything else goes byte by byte through the state
    // machine.
    if (i + 1 >= size || data[i + 1] != '[') break;
    const size_t start = i + 2;
    size_t end = start;
    // The parameters a block at a time while a block is there past them.
    for (int n = kBlock; n == kBlock && size - end > static_cast<size_t>(kBlock); end += n)
      n = printable_runs::ParameterBytes(data + end);
    while (end < size && kParamChar[data[end]]) ++end;
    const size_t paramsEnd = end;
    while (end < size && IsIntermediate(data[end])) ++end;
    if (end >= size || data[end] == 10 || data[end] == 13 || data[end] == kEndOfFile) break;
    const std::string_view params(reinterpret_cast<const char*>(data + start), paramsEnd - start);
    // A text past the limits is cut byte by byte by the state machine.
    if (params.size() > kMaxAnsiParamDigits && !AnsiParamsWithinLimits(params)) break;
    const uint8_t final = data[end];
    i = end + 1;
    if (end != paramsEnd) continue;  // intermediate bytes: a sequence art does not use
    if (final == 'm') {
      ChangeColours(params, size - start);  // the cursor stays
      attr = CurAttr;
      continue;
    }
    CurX = static_cast<uint16_t>(x);
    CurY = static_cast<uint16_t>(y);
    RunSequence(final, params);
    x = CurX;
    y = CurY;
    row = Art.RowCells(y - 1);  // also after a clear screen or an erase grew the picture
  }
  CurX = static_cast<uint16_t>(x);
  CurY = static_cast<uint16_t>(y);
  return i;
}

void TMsgBaseAnsi::ProcessChar(uint8_t ch) {
  switch (EscState) {
    case kText:
      if (ch == kEsc) {
        EscState = kAfterEsc;
      } else if (ch == 9) {
        MoveTo(CurX + 8, CurY);  // no tab stops: always 8 columns on
      } else {
        PutChar(ch);
      }
      break;
    case kAfterEsc:
      if (ch == '[') {
        ResetEscape();
        EscState = kInCsi;
      } else if (StartsControlString(ch)) {
        EscState = ch == ']' ? kInOscString : kInString;
      } else {
        EscState = kText;  // ESC and the byte after it both vanish (ST, ESC "\", too)
      }
      break;
    case kInString:
    case kInOscString:
      // Any ESC ends the string: ST is ESC "\", and an ESC of another
      // sequence starts that one. OSC strings may also end with BEL.
      if (ch == kEsc) {
        EscState = kAfterEsc;
      } else if (ch == kBell && EscState == kInOscString) {
        EscState = kText;
      }
      break;
    default:
      ExecuteCsi(ch);
  }
}

void TMsgBaseAnsi::PutChar(uint8_t ch) {
  if (TScreenChar* const row = Art.GrowToRow(CurY - 1)) row[CurX - 1] = {ch, CurAttr};
  if (CurX < Art.Width()) {
    ++CurX;
  } else if (CurY < Bottom) {
    CurX = 1;
    ++CurY;
  }
}

void TMsgBaseAnsi::MoveTo(int64_t x, int64_t y) {
  CurX = static_cast<uint16_t>(std::clamp<int64_t>(x, 1, Art.Width()));
  CurY = static_cast<uint16_t>(std::clamp<int64_t>(y, 1, Bottom));
}

int32_t TMsgBaseAnsi::NextParam(std::string_view& params) {
  int64_t value = 0;
  size_t i = 0;
  for (; i < params.size() && params[i] >= '0' && params[i] <= '9'; ++i)
    value = std::min(kMaxParam, value * 10 + (params[i] - '0'));
  // The character that ended the number goes with it.
  params.remove_prefix(std::min(params.size(), i + 1));
  return static_cast<int32_t>(value);
}

void TMsgBaseAnsi::ExecuteCsi(uint8_t ch) {
  // Intermediate bytes come last: after one, any other byte is the final one.
  const bool intermediates = !EscParams.empty() && IsIntermediate(EscParams.back());
  if (IsIntermediate(ch) || (IsParamChar(ch) && !intermediates)) {
    KeepParamByte(ch);
    return;
  }
  if (!intermediates) RunSequence(ch, EscParams);
  ResetEscape();
}

void TMsgBaseAnsi::KeepParamByte(uint8_t ch) {
  // One intermediate byte is enough to know the sequence is not art's.
  if (IsIntermediate(ch)) {
    if (EscParams.empty() || !IsIntermediate(EscParams.back())) EscParams += static_cast<char>(ch);
    return;
  }
  if (ParamsSkipped) return;
  if (IsParamSeparator(ch)) {
    if (ParamSeparators + 1u == kMaxAnsiParams) {
      ParamsSkipped = true;
      return;
    }
    ++ParamSeparators;
    ParamDigits = 0;
  } else if (ParamDigits++ == kMaxAnsiParamDigits) {
    ParamDigits = kMaxAnsiParamDigits;
    return;
  }
  EscParams += static_cast<char>(ch);
}

void TMsgBaseAnsi::RunSequence(uint8_t ch, std::string_view params) {
  const int width = Art.Width();
  switch (ch) {
    case 'A':
      MoveTo(CurX, std::max<int64_t>(1, CurY - AtLeastOne(NextParam(params))));
      break;
    case 'B':
      MoveTo(CurX, CurY + AtLeastOne(NextParam(params) & 255));
      break;
    case 'C': {
      int64_t column = CurX + AtLeastOne(NextParam(params));
      int64_t row = CurY;
      if (column > width) {
        column -= width;  // wraps onto the next row
        ++row;
      }
      MoveTo(column, row);
      break;
    }
    case 'D':
      MoveTo(std::max<int64_t>(1, CurX - AtLeastOne(NextParam(params))), CurY);
      break;
    case 'H':
    case 'f': {
      // The row is taken as a byte, as it always was; the column whole, so
      // that wide pictures can be reached.
      const int64_t row = AtLeastOne(NextParam(params) & 255);
      const int64_t column = AtLeastOne(NextParam(params));
      MoveTo(column, row);
      break;
    }
    case 'J':
      // Only "2" (the whole screen); erasing before or after the cursor
      // does not happen in art.
      if (NextParam(params) == 2) ClearPicture();
      break;
    case 'K':
      // Parameters are not looked at: 1 and 2 erase like 0.
      if (TScreenChar* const row = Art.GrowToRow(CurY - 1))
        std::fill(row + (CurX - 1), row + width, TScreenChar{' ', CurAttr});
      break;
    case 'm':
      SelectGraphicRenditions(params);
      break;
    case 's':
      SavedX = CurX;
      SavedY = static_cast<uint8_t>(CurY & 255);
      break;
    case 'u':
      // Before any save, or for a row saved as a multiple of 256, the stored
      // value is 0: the nearest real position is 1.
      MoveTo(std::max<int64_t>(1, SavedX), std::max<int64_t>(1, SavedY));
      break;
    default:
      break;  // "h" and the rest: dropped
  }
}

void TMsgBaseAnsi::ChangeColours(std::string_view params, size_t readable) {
  TRenditionChange change;
  const bool remembered = params.size() <= sizeof(uint64_t);
  const uint64_t key = remembered ? MemoKey(params, readable) : TColourMemo::kNone;
  const size_t slot = (key * 0x9E3779B97F4A7C15u) >> 56;
  static_assert(TColourMemo::kSlots == 256);
  if (remembered && Memo.Keys[slot] == key) {
    change = std::bit_cast<TRenditionChange>(Memo.Changes[slot]);
  } else if (ComposeRenditions(params, change)) {
    if (remembered) {
      Memo.Keys[slot] = key;
      Memo.Changes[slot] = std::bit_cast<uint32_t>(change);
    }
  } else {
    SelectGraphicRenditions(params);
    return;
  }
  Pen = static_cast<uint8_t>((Pen & change.Keep) | change.Set);
  Reverse = (Reverse & change.KeepReverse) | change.SetReverse;
  CurAttr = Reverse ? Reversed(Pen, Ice) : Pen;
}

void TMsgBaseAnsi::SelectGraphicRenditions(std::string_view params) {
  // An empty parameter text changes nothing.
  while (!params.empty()) {
    const bool subParams = JoinedToNext(params);
    const int32_t n = NextParam(params);
    if (n == 38 || n == 48) {
      SelectExtendedColor(n == 48, params, subParams);
      continue;
    }
    // Sub-parameters of other renditions (underline styles "4:3") are dropped.
    while (subParams && JoinedToNext(params)) NextParam(params);
    if (subParams) NextParam(params);
    SelectGraphicRendition(n);
  }
}

void TMsgBaseAnsi::SelectExtendedColor(bool background, std::string_view& params, bool subParams) {
  // The numbers after 38 or 48: with ":" the rest of this parameter, with
  // ";" as many of the following ones as the kind needs.
  std::array<int32_t, 6> fields{};
  size_t count = 0;
  if (subParams) {
    for (bool more = true; more && !params.empty();) {
      more = JoinedToNext(params);
      const int32_t field = NextParam(params);
      if (count < fields.size()) fields[count++] = field;
    }
  } else if (!params.empty()) {
    fields[count++] = NextParam(params);
    const size_t needs = fields[0] == 5 ? 1 : fields[0] == 2 ? 3 : 0;
    for (size_t k = 0; k < needs && !params.empty(); ++k) fields[count++] = NextParam(params);
  }
  uint8_t color = 0;
  if (count >= 2 && fields[0] == 5 && fields[1] <= 255) {
    color = XtermColorIndex(static_cast<uint8_t>(fields[1]));
  } else if (count >= 4 && fields[0] == 2) {
    // "2:space:R:G:B" names a colour space before the components; "2:R:G:B" does not.
    const size_t at = subParams && count >= 5 ? 2 : 1;
    const auto component = [&](size_t k) {
      return static_cast<uint8_t>(std::min<int32_t>(fields[at + k], 255));
    };
    color = NearestColor({component(0), component(1), component(2)}, kVgaPalette);
  } else {
    return;  // an unknown kind, or too few numbers: no colour
  }
  // The colour is exact: a bright background sets bit 7, a dark one clears it.
  Pen = background ? static_cast<uint8_t>((Pen & 0x0F) | color << 4)
                   : static_cast<uint8_t>((Pen & 0xF0) | color);
  CurAttr = Reverse ? Reversed(Pen, Ice) : Pen;
}

void TMsgBaseAnsi::SelectGraphicRendition(int32_t n) {
  const TRenditionChange& change = Rendition(static_cast<uint32_t>(n));
  Pen = static_cast<uint8_t>((Pen & change.Keep) | change.Set);
  Reverse = (Reverse & change.KeepReverse) | change.SetReverse;
  CurAttr = Reverse ? Reversed(Pen, Ice) : Pen;
}
