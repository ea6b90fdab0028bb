// The key click through the mixer, and the failures that only silence it.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "SdlConsoleFixture.h"
#include "support/TempDir.h"
#include "util/DataFiles.h"

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

// Follows the file the disk audio driver writes: 16-bit samples, read as
// they arrive.
class TAudioFile {
 public:
  explicit TAudioFile(std::string path) : Path(std::move(path)) {}
  // Reads what was added since the last call; answers the loudest new sample.
  int LoudestNew() {
    std::ifstream in(Path, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(Size));
    std::vector<char> bytes(1 << 16);
    int loudest = 0;
    while (in.read(bytes.data(), static_cast<std::streamsize>(bytes.size())) || in.gcount() > 0) {
      const size_t n = static_cast<size_t>(in.gcount()) & ~size_t{1};
      for (size_t i = 0; i < n; i += 2) {
        const auto lo = static_cast<uint8_t>(bytes[i]), hi = static_cast<uint8_t>(bytes[i + 1]);
        loudest =
            std::max(loudest, std::abs(static_cast<int>(static_cast<int16_t>(lo | (hi << 8)))));
      }
      Size += n;
      if (n == 0) break;
      in.seekg(static_cast<std::streamoff>(Size));
    }
    return loudest;
  }
  size_t Size = 0;

 private:
  std::string Path;
};

std::string SheetPath() {
  return (std::filesystem::current_path() / "80x25.png").string();
}

}  // namespace

TEST(SdlSoundTest, AKeyPressPlaysTheClick) {
  TTempDir tmp;
  const std::string out = tmp.File("audio.raw");
  TScopedEnv env;
  env.Set("SDL_AUDIODRIVER", "disk");
  env.Set("SDL_DISKAUDIOFILE", out);
  testing::internal::CaptureStdout();
  TTextConsole text(1);
  TSDLConsole con(text, "t", "", true);
  const std::string log = testing::internal::GetCapturedStdout();
  ASSERT_TRUE(con.Ready());
  ASSERT_STREQ(SDL_GetCurrentAudioDriver(), "disk");
  ASSERT_TRUE(con.Sound.ClickReady()) << log;

  // Before any key: only silence reaches the device.
  TAudioFile audio(out);
  const auto deadline = std::chrono::steady_clock::now() + 20s;
  int loudest = 0;
  while (audio.Size < 16384 && std::chrono::steady_clock::now() < deadline) {
    loudest = std::max(loudest, audio.LoudestNew());
    text.Delay(20);
  }
  EXPECT_GE(audio.Size, 16384u) << "the disk device wrote too little";
  EXPECT_EQ(loudest, 0);

  SDL_Event key{};
  key.type = SDL_KEYDOWN;
  key.key.keysym.sym = SDLK_a;
  ASSERT_EQ(SDL_PushEvent(&key), 1);
  EXPECT_EQ(text.ReadKey(), 'a');
  const size_t before = audio.Size;
  loudest = 0;
  while (loudest < 1000 && std::chrono::steady_clock::now() < deadline + 20s) {
    loudest = std::max(loudest, audio.LoudestNew());
    text.Delay(20);
  }
  EXPECT_GE(loudest, 1000) << "no click in " << audio.Size - before << " bytes";
}

TEST(SdlSoundTest, MissingSoundFilesOnlySilenceTheClick) {
  TTempDir tmp;
  const std::string sheet = SheetPath();
  TScopedCwd cwd(tmp.Path());
  if (FindDataFile("click.wav") != "click.wav" || FindDataFile("bell.wav") != "bell.wav")
    GTEST_SKIP() << "a copy of the sounds next to the test or installed would be found";
  testing::internal::CaptureStdout();
  TTextConsole text(1);
  TSDLConsole con(text, "t", sheet, true);
  const std::string log = testing::internal::GetCapturedStdout();
  ASSERT_TRUE(con.Ready());
  EXPECT_NE(log.find("Click Sound not Loaded.\nBell Sound not Loaded.\n"), std::string::npos)
      << log;
  // The device itself opened.
  EXPECT_EQ(log.find("Could not open Mixer."), std::string::npos) << log;
  EXPECT_FALSE(con.Sound.ClickReady());
  text.PushKey('x');  // no click, no crash
  EXPECT_EQ(text.ReadKey(), 'x');
}

TEST(SdlSoundTest, NoAudioDeviceLeavesTheProgramRunningSilently) {
  TTempDir tmp;
  {
    TScopedEnv env;
    env.Set("SDL_AUDIODRIVER", "no-such-driver");
    testing::internal::CaptureStdout();
    TTextConsole text(1);
    TSDLConsole con(text, "t", "", true);
    const std::string log = testing::internal::GetCapturedStdout();
    ASSERT_TRUE(con.Ready());
    EXPECT_NE(log.find("Sound System not Initialized.\n"), std::string::npos) << log;
    EXPECT_FALSE(con.Sound.ClickReady());
    text.PushKey('x');
    EXPECT_EQ(text.ReadKey(), 'x');
  }
  {
    // The audio subsystem starts but the device cannot be opened.
    TScopedEnv env;
    env.Set("SDL_AUDIODRIVER", "disk");
    env.Set("SDL_DISKAUDIOFILE", tmp.File("no/such/dir/audio.raw"));
    testing::internal::CaptureStdout();
    TTextConsole text(1);
    TSDLConsole con(text, "t", "", true);
    const std::string log = testing::internal::GetCapturedStdout();
    ASSERT_TRUE(con.Ready());
    EXPECT_NE(log.find("Could not open Mixer.\n"), std::string::npos) << log;
    EXPECT_FALSE(con.Sound.ClickReady());
    // Its thread that waits for a device to be plugged in is gone with it.
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
  }
  {
    // Without diagnostics a start on a machine without a sound card says
    // nothing, neither the console nor the sound library.
    TScopedEnv env;
    env.Set("SDL_AUDIODRIVER", "alsa");
    // A card no machine has: the sound library complains on any of them.
    env.Set("ALSA_CONFIG_PATH",
            tmp.Write("asound.conf", "pcm.!default { type hw card \"nosuchcard\" }\n"));
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    {
      TTextConsole text(1);
      TSDLConsole con(text, "t", "");
      EXPECT_TRUE(con.Ready());
      EXPECT_FALSE(con.Sound.ClickReady());
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  }
}
