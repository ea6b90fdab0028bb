// Keys as DOS-style bytes from real SDL key events, the buffer's overflow
// rule, Alt+Enter and the two ways out that end the process at once.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SdlConsoleFixture.h"
#include "console/sdl/KeyTranslation.h"

namespace {

std::vector<int> Bytes(std::string_view s) {
  return {s.begin(), s.end()};
}

}  // namespace

TEST_F(SdlConsoleTest, DigitsAndPunctuationFollowTheUsKeyboard) {
  // Written out by hand from the keyboard, not derived from the code's table.
  const std::string keys = "1234567890;,-.[]\\`'=/";
  const std::string shifted = "!@#$%^&*():<_>{}|~\"+?";
  std::string withAlt = keys, withCtrl = keys;
  withAlt[16] = withCtrl[16] = '|';  // Alt+\ and Ctrl+\ give the pipe
  ASSERT_EQ(SDLKeyMap.size(), keys.size());
  for (size_t i = 0; i < keys.size(); ++i) {
    const SDL_Keycode k = static_cast<unsigned char>(keys[i]);
    SCOPED_TRACE(std::string("key ") + keys[i]);
    PushKey(k);
    PushKey(k, KMOD_LSHIFT);
    PushKey(k, KMOD_RSHIFT | KMOD_LALT);  // Shift wins over Alt
    PushKey(k, KMOD_RALT);
    PushKey(k, KMOD_LCTRL);
    PushKey(k, KMOD_CAPS);  // Caps Lock leaves non-letters alone
    const std::vector<int> want = {keys[i],    shifted[i],  shifted[i],
                                   withAlt[i], withCtrl[i], keys[i]};
    EXPECT_EQ(ReadBuffered(), want);
  }
}

TEST_F(SdlConsoleTest, LettersWithShiftCapsCtrlAndAlt) {
  for (int i = 0; i < 26; ++i) {
    const SDL_Keycode k = SDLK_a + i;
    SCOPED_TRACE(std::string("letter ") + static_cast<char>('a' + i));
    PushKey(k);
    PushKey(k, KMOD_LSHIFT);
    PushKey(k, KMOD_CAPS);
    PushKey(k, KMOD_CAPS | KMOD_RSHIFT);  // still upper case
    PushKey(k, KMOD_RCTRL);
    PushKey(k, KMOD_LALT);
    PushKey(k, KMOD_LCTRL | KMOD_LSHIFT);  // Shift first: upper case, no control code
    const std::vector<int> want = {'a' + i, 'A' + i, 'A' + i, 'A' + i, 0, i + 1, 'a' + i, 'A' + i};
    EXPECT_EQ(ReadBuffered(), want);
  }
}

TEST_F(SdlConsoleTest, KeysWithoutACharacterArriveAsZeroAndACode) {
  struct Case {
    SDL_Keycode Key;
    uint16_t Mod;
    std::vector<int> Want;
  };
  const std::vector<Case> cases = {
      {SDLK_BACKSPACE, 0, {8}},
      {SDLK_KP_BACKSPACE, 0, {8}},
      {SDLK_TAB, 0, {9}},
      {SDLK_TAB, KMOD_LSHIFT, {9}},
      {SDLK_RETURN, 0, {13}},
      {SDLK_KP_ENTER, 0, {13}},
      {SDLK_ESCAPE, 0, {27}},
      {SDLK_SPACE, 0, {32}},
      {SDLK_SPACE, KMOD_LSHIFT, {32}},
      {SDLK_DELETE, 0, {0, 83}},
      {SDLK_INSERT, 0, {0, 82}},
      {SDLK_HOME, 0, {0, 71}},
      {SDLK_END, 0, {0, 79}},
      {SDLK_PAGEUP, 0, {0, 73}},
      {SDLK_PAGEDOWN, 0, {0, 81}},
      {SDLK_UP, 0, {0, 72}},
      {SDLK_DOWN, 0, {0, 80}},
      {SDLK_LEFT, 0, {0, 75}},
      {SDLK_RIGHT, 0, {0, 77}},
      {SDLK_UP, KMOD_LCTRL, {0, 72}},
      {SDLK_LEFT, KMOD_LSHIFT, {0, 226}},
      {SDLK_LEFT, KMOD_LCTRL, {0, 115}},
      {SDLK_RIGHT, KMOD_RCTRL, {0, 116}},
      {SDLK_HOME, KMOD_LCTRL, {0, 119}},
      {SDLK_END, KMOD_RCTRL, {0, 117}},
      {SDLK_F1, 0, {0, 59}},
      {SDLK_F2, 0, {0, 60}},
      {SDLK_F5, 0, {0, 63}},
      {SDLK_F10, 0, {0, 68}},
      {SDLK_F11, 0, {0, 69}},
      {SDLK_F12, 0, {0, 70}},
      // The glyph editor's keys: a block marked with Shift, colours stepped
      // back, the glyph before and after.
      {SDLK_UP, KMOD_LSHIFT, {0, 224}},
      {SDLK_DOWN, KMOD_RSHIFT, {0, 225}},
      {SDLK_RIGHT, KMOD_LSHIFT, {0, 227}},
      {SDLK_F9, KMOD_LSHIFT, {0, 92}},
      {SDLK_F10, KMOD_RSHIFT, {0, 93}},
      {SDLK_F1, KMOD_LSHIFT, {0, 59}},
      {SDLK_PAGEUP, KMOD_LCTRL, {0, 132}},
      {SDLK_PAGEDOWN, KMOD_RCTRL, {0, 118}},
      // Keys that are not in the table store nothing.
      {SDLK_KP_1, 0, {}},
      {SDLK_LSHIFT, KMOD_LSHIFT, {}},
      {SDLK_F13, 0, {}},
      {SDLK_CAPSLOCK, KMOD_CAPS, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(SDL_GetKeyName(c.Key));
    PushKey(c.Key, c.Mod);
    EXPECT_EQ(ReadBuffered(), c.Want);
  }
}

TEST_F(SdlConsoleTest, ReadKeyWaitsForEventsAndIgnoresReleasesAndText) {
  SDL_Event up{};
  up.type = SDL_KEYUP;
  up.key.keysym.sym = SDLK_x;
  ASSERT_EQ(SDL_PushEvent(&up), 1);
  SDL_Event text{};
  text.type = SDL_TEXTINPUT;
  text.text.text[0] = 'y';
  ASSERT_EQ(SDL_PushEvent(&text), 1);
  PushKey(SDLK_UP);
  // ReadKey blocks in the event wait until a key byte exists.
  EXPECT_EQ(Con->ReadKey(), 0);
  EXPECT_EQ(Con->ReadKey(), 72);
  EXPECT_FALSE(Con->KeyPressed());
  PushKey(SDLK_z);
  EXPECT_TRUE(PumpUntil([&] { return Con->KeyPressed(); }));
  EXPECT_EQ(Con->ReadKey(), 'z');
}

TEST_F(SdlConsoleTest, A129thKeyWithoutReadingKeepsOnlyTheLast) {
  for (int i = 0; i < 128; ++i) PushKey(SDLK_a);
  PushKey(SDLK_b);
  EXPECT_EQ(ReadBuffered(), Bytes("b"));
  // 128 keys exactly still fit.
  for (int i = 0; i < 128; ++i) PushKey(i < 127 ? SDLK_a : SDLK_c);
  const std::vector<int> got = ReadBuffered();
  ASSERT_EQ(got.size(), 128u);
  EXPECT_EQ(got.back(), 'c');
  // One key and then Up held: the arrow that no longer fits starts a new
  // buffer with both of its bytes.
  PushKey(SDLK_x);
  for (int i = 0; i < 64; ++i) PushKey(SDLK_UP);
  EXPECT_EQ(ReadBuffered(), (std::vector<int>{0, 72}));
}

TEST_F(SdlConsoleTest, AltEnterTogglesFullscreenAndStoresNothing) {
  ASSERT_FALSE(Window->Fullscreen);
  PushKey(SDLK_RETURN, KMOD_LALT);
  EXPECT_TRUE(ReadBuffered().empty());
  EXPECT_TRUE(Window->Fullscreen);
  PushKey(SDLK_KP_ENTER, KMOD_RALT);
  EXPECT_TRUE(ReadBuffered().empty());
  EXPECT_FALSE(Window->Fullscreen);
  EXPECT_FALSE(SDL_GetWindowFlags(Window->WindowHandle()) & SDL_WINDOW_FULLSCREEN);
  // A switch the console did not make itself takes one press to undo.
  ASSERT_EQ(SDL_SetWindowFullscreen(Window->WindowHandle(), SDL_WINDOW_FULLSCREEN_DESKTOP), 0);
  PushKey(SDLK_RETURN, KMOD_LALT);
  EXPECT_TRUE(ReadBuffered().empty());
  EXPECT_FALSE(Window->Fullscreen);
  EXPECT_FALSE(SDL_GetWindowFlags(Window->WindowHandle()) & SDL_WINDOW_FULLSCREEN);
}

using SdlConsoleDeathTest = SdlConsoleTest;

TEST_F(SdlConsoleDeathTest, CtrlAltCEndsAtOnceWithCodeZero) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        PushKey(SDLK_c, KMOD_LCTRL | KMOD_RALT);
        Con->ReadKey();
        std::exit(3);  // not reached when the key ended the process
      },
      testing::ExitedWithCode(0), "");
  // Ctrl+C and Alt+C alone are ordinary keys.
  PushKey(SDLK_c, KMOD_LCTRL);
  PushKey(SDLK_c, KMOD_LALT);
  EXPECT_EQ(ReadBuffered(), (std::vector<int>{0, 3, 'c'}));
}

TEST_F(SdlConsoleDeathTest, ClosingTheWindowEndsAtOnceWithCodeZero) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
        Con->ReadKey();
        std::exit(3);
      },
      testing::ExitedWithCode(0), "");
}

TEST(KeyTranslationTest, TableRowsHaveOneCharacterPerModifier) {
  for (const TSDLKeyMap& row : SDLKeyMap) {
    EXPECT_EQ(row.Normal.size(), 1u);
    EXPECT_EQ(row.Shift.size(), 1u);
    EXPECT_EQ(row.Alt.size(), 1u);
    EXPECT_EQ(row.Ctrl.size(), 1u);
    EXPECT_EQ(row.Normal[0], static_cast<char>(row.Key));
  }
  EXPECT_EQ(TranslateKey(SDLK_RETURN, KMOD_LALT).Action, kaToggleFullscreen);
  EXPECT_EQ(TranslateKey(SDLK_c, KMOD_LALT | KMOD_LCTRL | KMOD_LSHIFT).Action, kaQuit);
}
