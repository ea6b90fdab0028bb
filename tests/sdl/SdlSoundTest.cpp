// The key click through the mixer, and the failures that only silence it.
#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "SdlConsoleFixture.h"
#include "console/sdl/DataFiles.h"
#include "support/TempDir.h"

namespace {

// Sets environment variables for one scope and puts the old values back.
class TScopedEnv {
 public:
  void Set(const char* name, const std::string& value) {
    const char* old = std::getenv(name);
    Saved.push_back({name, old ? std::string(old) : std::string(), old != nullptr});
    setenv(name, value.c_str(), 1);
  }
  ~TScopedEnv() {
    for (auto it = Saved.rbegin(); it != Saved.rend(); ++it) {
      if (it->Had)
        setenv(it->Name, it->Value.c_str(), 1);
      else
        unsetenv(it->Name);
    }
  }

 private:
  struct TSaved {
    const char* Name;
    std::string Value;
    bool Had;
  };
  std::vector<TSaved> Saved;
};

// Runs in another working directory for one scope.
class TScopedCwd {
 public:
  explicit TScopedCwd(const std::filesystem::path& dir) : Old(std::filesystem::current_path()) {
    std::filesystem::current_path(dir);
  }
  ~TScopedCwd() {
    std::error_code ec;
    std::filesystem::current_path(Old, ec);
  }

 private:
  std::filesystem::path Old;
};

// 16-bit samples written to the disk audio file from byte offset `from` on.
int LoudestSampleFrom(const std::string& path, size_t from, size_t* size) {
  const std::vector<uint8_t> bytes = ReadFileBytes(path);
  *size = bytes.size();
  int loudest = 0;
  for (size_t i = from & ~size_t{1}; i + 1 < bytes.size(); i += 2) {
    const int16_t s = static_cast<int16_t>(bytes[i] | (bytes[i + 1] << 8));
    loudest = std::max(loudest, std::abs(static_cast<int>(s)));
  }
  return loudest;
}

std::string SheetPath() { return (std::filesystem::current_path() / "80x25.png").string(); }

}  // namespace

TEST(SdlSoundTest, AKeyPressPlaysTheClick) {
  TTempDir tmp;
  const std::string out = tmp.File("audio.raw");
  TScopedEnv env;
  env.Set("SDL_AUDIODRIVER", "disk");
  env.Set("SDL_DISKAUDIOFILE", out);
  env.Set("SDL_DISKAUDIODELAY", "5");
  testing::internal::CaptureStdout();
  TSDLConsole con(1, "t", "");
  const std::string log = testing::internal::GetCapturedStdout();
  ASSERT_TRUE(con.Ready());
  ASSERT_STREQ(SDL_GetCurrentAudioDriver(), "disk");
  ASSERT_TRUE(con.Sound.ClickReady) << log;

  // Before any key: only silence reaches the device.
  size_t size = 0;
  const auto deadline = std::chrono::steady_clock::now() + 10s;
  while (LoudestSampleFrom(out, 0, &size) == 0 && size < 8192 &&
         std::chrono::steady_clock::now() < deadline)
    con.Delay(10);
  EXPECT_GE(size, 8192u) << "the disk device wrote too little";
  EXPECT_EQ(LoudestSampleFrom(out, 0, &size), 0);

  const size_t before = size;
  SDL_Event key{};
  key.type = SDL_KEYDOWN;
  key.key.keysym.sym = SDLK_a;
  ASSERT_EQ(SDL_PushEvent(&key), 1);
  EXPECT_EQ(con.ReadKey(), 'a');
  int loudest = 0;
  while ((loudest = LoudestSampleFrom(out, before, &size)) < 1000 &&
         std::chrono::steady_clock::now() < deadline + 10s)
    con.Delay(10);
  EXPECT_GE(loudest, 1000) << "no click in " << size - before << " bytes";
}

TEST(SdlSoundTest, MissingSoundFilesOnlySilenceTheClick) {
  TTempDir tmp;
  const std::string sheet = SheetPath();
  TScopedCwd cwd(tmp.Path());
  if (FindDataFile("click.wav") != "click.wav" || FindDataFile("bell.wav") != "bell.wav")
    GTEST_SKIP() << "a copy of the sounds next to the test or installed would be found";
  testing::internal::CaptureStdout();
  TSDLConsole con(1, "t", sheet);
  const std::string log = testing::internal::GetCapturedStdout();
  ASSERT_TRUE(con.Ready());
  EXPECT_NE(log.find("Click Sound not Loaded.\nBell Sound not Loaded.\n"), std::string::npos)
      << log;
  EXPECT_TRUE(con.Sound.SoundReady);
  EXPECT_FALSE(con.Sound.ClickReady);
  EXPECT_FALSE(con.Sound.BellReady);
  con.PushKey('x');  // no click, no crash
  EXPECT_EQ(con.ReadKey(), 'x');
}

TEST(SdlSoundTest, NoAudioDeviceLeavesTheProgramRunningSilently) {
  TTempDir tmp;
  {
    TScopedEnv env;
    env.Set("SDL_AUDIODRIVER", "no-such-driver");
    testing::internal::CaptureStdout();
    TSDLConsole con(1, "t", "");
    const std::string log = testing::internal::GetCapturedStdout();
    ASSERT_TRUE(con.Ready());
    EXPECT_NE(log.find("Sound System not Initialized.\n"), std::string::npos) << log;
    EXPECT_FALSE(con.Sound.SoundReady);
    EXPECT_FALSE(con.Sound.ClickReady);
    con.PushKey('x');
    EXPECT_EQ(con.ReadKey(), 'x');
  }
  {
    // The audio subsystem starts but the device cannot be opened.
    TScopedEnv env;
    env.Set("SDL_AUDIODRIVER", "disk");
    env.Set("SDL_DISKAUDIOFILE", tmp.File("no/such/dir/audio.raw"));
    testing::internal::CaptureStdout();
    TSDLConsole con(1, "t", "");
    const std::string log = testing::internal::GetCapturedStdout();
    ASSERT_TRUE(con.Ready());
    EXPECT_NE(log.find("Could not open Mixer.\n"), std::string::npos) << log;
    EXPECT_FALSE(con.Sound.ClickReady);
  }
}
