#include "ansi/AnsiInterpreter.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <type_traits>

#include "ansi/AnsiText.h"
#include "ansi/ArtColors.h"

namespace {

constexpr uint8_t kEsc = 27;
constexpr uint8_t kEndOfFile = 26;
constexpr uint8_t kBell = 7;

constexpr int64_t kMaxParam = std::numeric_limits<int32_t>::max();

// The bytes the text state does not simply draw: TAB, LF, CR, 26 and ESC.
constexpr std::array<bool, 256> kActsOn = [] {
  std::array<bool, 256> table{};
  for (const uint8_t b : {9, 10, 13, 26, 27}) table[b] = true;
  return table;
}();

// Digits, ";", ":" and "?": the bytes that continue a control sequence.
constexpr std::array<bool, 256> kParamChar = [] {
  std::array<bool, 256> table{};
  for (int b = '0'; b <= '9'; ++b) table[b] = true;
  table[';'] = table[':'] = table['?'] = true;
  return table;
}();

bool IsParamChar(uint8_t ch) {
  return kParamChar[ch];
}

// What a graphic rendition value n does to the attribute, except 7 (reverse):
// keep the bits of Keep, then set those of Set. Values not listed change nothing.
struct TRendition {
  uint8_t Keep = 0xFF;
  uint8_t Set = 0;
};
constexpr std::array<TRendition, 108> kRenditions = [] {
  std::array<TRendition, 108> table{};
  table[0] = {0x00, 0x07};
  table[1] = {0xFF, 0x08};  // bright foreground
  table[5] = {0xFF, 0x80};  // blink, which the console shows as a bright background
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

}  // namespace

void TMsgBaseAnsi::Clear() {
  CurAttr = 7;
  ClearPicture();
  ResetEscape();
}

void TMsgBaseAnsi::ClearPicture() {
  Lines = 1;
  CurX = 1;
  CurY = 1;
  // One block of plain bytes: a single memset, also in unoptimised builds.
  static_assert(std::is_trivially_copyable_v<AnsiImage> && sizeof(TScreenChar) == 2);
  std::memset(static_cast<void*>(Image.data()), 0, sizeof Image);
}

void TMsgBaseAnsi::ResetEscape() {
  EscState = kText;
  EscParams.clear();  // keeps its capacity: no allocation per sequence
}

bool TMsgBaseAnsi::ProcessBuffer(std::span<const uint8_t> buf) {
  size_t i = 0;
  while (i < buf.size()) {
    if (EscState == kText) {
      i = RunText(buf, i);
      if (i == buf.size()) break;
    }
    const uint8_t b = buf[i++];
    // Lines follows the cursor one byte late, so a final line feed alone
    // does not add an empty row.
    if (CurY > Lines) Lines = CurY;
    // Line ends inside a control string are part of it.
    if (EscState >= kInString && b != kEndOfFile) {
      ProcessChar(b);
      continue;
    }
    switch (b) {
      case 10:
        if (CurY == kAnsiRows) return true;
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

size_t TMsgBaseAnsi::RunText(std::span<const uint8_t> buf, size_t i) {
  // Most of a file is characters and whole control sequences. They run here
  // with the cursor in locals, since stores into the picture could alias the
  // fields and force them through memory. The parameter text is empty in the
  // text state, so no reset is needed after a character.
  const uint8_t* const data = buf.data();
  const size_t size = buf.size();
  uint16_t y = CurY;
  uint16_t lines = Lines;
  uint8_t x = CurX;
  uint8_t attr = CurAttr;
  TScreenChar* row = Image[y].data();
  // Lines takes the cursor row at each byte; here only where the row changes
  // with another byte to follow.
  if (i < size && y > lines) lines = y;
  while (i < size) {
    const uint8_t ch = data[i];
    if (!kActsOn[ch]) {
      row[x] = {ch, attr};
      if (x < kAnsiCols) {
        ++x;
      } else if (y < kAnsiRows) {
        x = 1;
        row = Image[++y].data();
        if (i + 1 < size) lines = std::max(lines, y);
      }
      ++i;
      continue;
    }
    // ESC "[", parameters, final byte, all of it in this buffer and no CR,
    // LF or 26 inside: the cursor only moves at the final byte, so Lines
    // needs one update for the whole sequence. Anything else goes byte by
    // byte through the state machine.
    if (ch != kEsc || i + 1 >= size || data[i + 1] != '[') break;
    // The numbers are read on the way, as NextParam would take them, for
    // the most common sequence, the colour change.
    size_t end = i + 2;
    std::array<int32_t, 16> values;
    size_t count = 0;
    int64_t value = 0;
    bool pending = false;  // characters since the last separator
    bool subParams = false;
    for (; end < size; ++end) {
      const unsigned digit = data[end] - static_cast<unsigned>('0');
      if (digit <= 9) {
        value = std::min<int64_t>(value * 10 + digit, kMaxParam);
        pending = true;
      } else if (kParamChar[data[end]]) {
        subParams |= data[end] == ':';
        values[count++ % values.size()] = static_cast<int32_t>(value);
        value = 0;
        pending = false;
      } else {
        break;
      }
    }
    if (end >= size || data[end] == 10 || data[end] == 13 || data[end] == kEndOfFile) break;
    if (pending) values[count++ % values.size()] = static_cast<int32_t>(value);
    const std::string_view params(reinterpret_cast<const char*>(data + i + 2), end - i - 2);
    const uint8_t final = data[end];
    i = end + 1;
    if (final == 'm') {
      // The cursor stays. Extended colours take the numbers after them: the
      // text form reads those.
      const auto extended = [](int32_t v) { return v == 38 || v == 48; };
      if (count <= values.size() && !subParams &&
          std::none_of(values.begin(), values.begin() + count, extended)) {
        for (size_t k = 0; k < count; ++k) SelectGraphicRendition(values[k]);
      } else {
        SelectGraphicRenditions(params);
      }
      attr = CurAttr;
      continue;
    }
    CurX = x;
    CurY = y;
    Lines = lines;
    RunSequence(final, params);  // a clear screen also resets Lines
    lines = Lines;
    x = CurX;
    y = CurY;
    row = Image[y].data();
    if (i < size && y > lines) lines = y;
  }
  CurX = x;
  CurY = y;
  Lines = lines;
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
        ResetEscape();
      }
      break;
    case kAfterEsc:
      if (ch == '[') {
        EscState = kInCsi;
        EscParams.clear();
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

bool TMsgBaseAnsi::PutChar(uint8_t ch) {
  Image[CurY][CurX] = {ch, CurAttr};
  if (CurX < kAnsiCols) {
    ++CurX;
  } else if (CurY == kAnsiRows) {
    return true;  // later characters overwrite the last cell
  } else {
    CurX = 1;
    ++CurY;
  }
  return false;
}

void TMsgBaseAnsi::MoveTo(int64_t x, int64_t y) {
  CurX = static_cast<uint8_t>(std::clamp<int64_t>(x, 1, kAnsiCols));
  CurY = static_cast<uint16_t>(std::clamp<int64_t>(y, 1, kAnsiRows));
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
  if (IsParamChar(ch)) {
    EscParams += static_cast<char>(ch);
    return;
  }
  RunSequence(ch, EscParams);
  ResetEscape();
}

void TMsgBaseAnsi::RunSequence(uint8_t ch, std::string_view params) {
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
      if (column > kAnsiCols) {
        column -= kAnsiCols;  // wraps onto the next row
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
      const int64_t row = AtLeastOne(NextParam(params) & 255);
      const int64_t column = AtLeastOne(NextParam(params) & 255);
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
      for (int x = CurX; x <= kAnsiCols; ++x) Image[CurY][x] = {' ', CurAttr};
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
  CurAttr = background ? static_cast<uint8_t>((CurAttr & 0x0F) | color << 4)
                       : static_cast<uint8_t>((CurAttr & 0xF0) | color);
}

void TMsgBaseAnsi::SelectGraphicRendition(int32_t n) {
  if (n == 7) {
    const uint8_t old = CurAttr & ~8;
    CurAttr = static_cast<uint8_t>(((old & 112) >> 4) + ((old & 7) << 4) + (old & 128));
  } else if (n >= 0 && n < static_cast<int32_t>(kRenditions.size())) {
    // A table rather than a chain of tests: the values of real art come in no
    // order a branch predictor could learn.
    CurAttr = static_cast<uint8_t>((CurAttr & kRenditions[n].Keep) | kRenditions[n].Set);
  }
}

TScreen AnsiImageScreen(const TMsgBaseAnsi& ansi) {
  TScreen screen(ansi.Lines + 1u);
  for (int y = 1; y <= ansi.Lines; ++y)
    screen[y].assign(ansi.Image[y].begin(), ansi.Image[y].end());
  return screen;
}
