#include "console/sdl/KeyTranslation.h"

#include "console/KeyCodes.h"

const std::array<TSDLKeyMap, 21> SDLKeyMap = {{
    {'1', "1", "!", "1", "1"},   {'2', "2", "@", "2", "2"},   {'3', "3", "#", "3", "3"},
    {'4', "4", "$", "4", "4"},   {'5', "5", "%", "5", "5"},   {'6', "6", "^", "6", "6"},
    {'7', "7", "&", "7", "7"},   {'8', "8", "*", "8", "8"},   {'9', "9", "(", "9", "9"},
    {'0', "0", ")", "0", "0"},   {';', ";", ":", ";", ";"},   {',', ",", "<", ",", ","},
    {'-', "-", "_", "-", "-"},   {'.', ".", ">", ".", "."},   {'[', "[", "{", "[", "["},
    {']', "]", "}", "]", "]"},   {'\\', "\\", "|", "|", "|"}, {'`', "`", "~", "`", "`"},
    {'\'', "'", "\"", "'", "'"}, {'=', "=", "+", "=", "="},   {'/', "/", "?", "/", "/"},
}};

namespace {

// Single control and letter bytes as static strings, so results can point at them.
constexpr std::string_view kByteChars(
    "\x00\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a\x0b\x0c\x0d\x0e\x0f"
    "\x10\x11\x12\x13\x14\x15\x16\x17\x18\x19\x1a\x1b\x1c\x1d\x1e\x1f"
    " !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_"
    "`abcdefghijklmnopqrstuvwxyz{|}~",
    127);

TKeyResult Byte(uint8_t b) {
  return {kaBytes, kByteChars.substr(b, 1), 0};
}
TKeyResult Extended(uint8_t code) {
  return {kaExtended, {}, code};
}

}  // namespace

TKeyResult TranslateKey(SDL_Keycode key, uint16_t mod) {
  const bool shift = (mod & KMOD_SHIFT) != 0;
  const bool caps = (mod & KMOD_CAPS) != 0;
  const bool alt = (mod & KMOD_ALT) != 0;
  const bool ctrl = (mod & KMOD_CTRL) != 0;

  const bool enter = key == SDLK_RETURN || key == SDLK_KP_ENTER;
  if (enter && alt) return {kaToggleFullscreen, {}, 0};
  if (key == SDLK_c && alt && ctrl) return {kaQuit, {}, 0};

  switch (key) {
    case SDLK_BACKSPACE:
    case SDLK_KP_BACKSPACE:
      return Byte(kKeyBackspace);
    case SDLK_TAB:
      return Byte(kKeyTab);
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      return Byte(kKeyEnter);
    case SDLK_ESCAPE:
      return Byte(kKeyEscape);
    case SDLK_SPACE:
      return Byte(32);
    case SDLK_DELETE:
      return Extended(kScanDelete);
    case SDLK_INSERT:
      return Extended(kScanInsert);
    // Ctrl+Home and Ctrl+End have their own codes, as on DOS.
    case SDLK_HOME:
      return Extended(ctrl ? kScanCtrlHome : kScanHome);
    case SDLK_END:
      return Extended(ctrl ? kScanCtrlEnd : kScanEnd);
    case SDLK_PAGEUP:
      return Extended(ctrl ? kScanCtrlPgUp : kScanPgUp);
    case SDLK_PAGEDOWN:
      return Extended(ctrl ? kScanCtrlPgDn : kScanPgDn);
    // Shift with an arrow marks a block in the glyph editor.
    case SDLK_UP:
      return Extended(shift ? kScanShiftUp : kScanUp);
    case SDLK_DOWN:
      return Extended(shift ? kScanShiftDown : kScanDown);
    // Ctrl+Left and Ctrl+Right are the DOS word moves.
    case SDLK_LEFT:
      return Extended(ctrl ? kScanCtrlLeft : shift ? kScanShiftLeft : kScanLeft);
    case SDLK_RIGHT:
      return Extended(ctrl ? kScanCtrlRight : shift ? kScanShiftRight : kScanRight);
    case SDLK_F11:
      return Extended(kScanF11);
    case SDLK_F12:
      return Extended(kScanF12);
    default:
      break;
  }
  // Shift+F9 and Shift+F10 step the glyph editor's colours back; the other
  // function keys stay themselves with Shift, as screens know them.
  if (shift && key == SDLK_F9) return Extended(kScanShiftF9);
  if (shift && key == SDLK_F10) return Extended(kScanShiftF10);
  if (key >= SDLK_F1 && key <= SDLK_F10)
    return Extended(static_cast<uint8_t>(kScanF1 + (key - SDLK_F1)));

  if (key >= SDLK_a && key <= SDLK_z) {
    const int letter = key - SDLK_a;  // 0..25
    // Caps Lock affects only letters; Shift with Caps Lock still gives upper case.
    if (shift || caps) return Byte(static_cast<uint8_t>('A' + letter));
    if (ctrl) return Extended(static_cast<uint8_t>(letter + 1));
    return Byte(static_cast<uint8_t>('a' + letter));
  }

  for (const TSDLKeyMap& row : SDLKeyMap) {
    if (row.Key != key) continue;
    const std::string_view bytes = shift ? row.Shift : alt ? row.Alt : ctrl ? row.Ctrl : row.Normal;
    return {kaBytes, bytes, 0};
  }
  return {};
}
