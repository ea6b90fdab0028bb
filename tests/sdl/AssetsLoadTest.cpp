// The icon and the sounds in assets/ load through the same SDL calls the
// console uses, in the format the mixer is opened with.

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <ostream>
#include <string>

namespace {

struct SurfaceDeleter {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

std::string AssetPath(const char* file) {
  return std::string(BRIXEL_SOURCE_DIR "/assets/") + file;
}

TEST(AssetsLoadTest, IconLoadsAsThirtyTwoSquareWithTransparentCorners) {
  SurfacePtr icon(IMG_Load(AssetPath("tdf.ico").c_str()));
  ASSERT_TRUE(icon) << IMG_GetError();
  EXPECT_EQ(icon->w, 32);
  EXPECT_EQ(icon->h, 32);

  SurfacePtr rgba(SDL_ConvertSurfaceFormat(icon.get(), SDL_PIXELFORMAT_RGBA32, 0));
  ASSERT_TRUE(rgba);
  ASSERT_EQ(SDL_LockSurface(rgba.get()), 0);
  auto pixel = [&](int x, int y) {
    const auto* p = static_cast<const uint8_t*>(rgba->pixels) + y * rgba->pitch + 4 * x;
    return static_cast<uint32_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
  };
  EXPECT_EQ(pixel(0, 0) & 0xFF, 0u) << "top-left corner transparent";
  EXPECT_EQ(pixel(31, 31) & 0xFF, 0u) << "bottom-right corner transparent";
  // A drawing, not a flat tile: count distinct opaque colours.
  uint32_t colours[64];
  int distinct = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const uint32_t c = pixel(x, y);
      if ((c & 0xFF) == 0 || distinct == 64) continue;
      if (std::find(colours, colours + distinct, c) == colours + distinct) colours[distinct++] = c;
    }
  SDL_UnlockSurface(rgba.get());
  EXPECT_GE(distinct, 4);
}

TEST(AssetsLoadTest, IconIsAcceptedAsWindowIcon) {
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
  SDL_Window* window = SDL_CreateWindow("icon", 0, 0, 64, 64, SDL_WINDOW_HIDDEN);
  ASSERT_NE(window, nullptr) << SDL_GetError();
  SurfacePtr icon(IMG_Load(AssetPath("tdf.ico").c_str()));
  EXPECT_TRUE(icon) << IMG_GetError();
  SDL_ClearError();
  if (icon) SDL_SetWindowIcon(window, icon.get());
  EXPECT_STREQ(SDL_GetError(), "") << "setting the icon reported an error";
  SDL_DestroyWindow(window);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

struct WavCase {
  const char* File;
  double MinSeconds;
  double MaxSeconds;
};
void PrintTo(const WavCase& c, std::ostream* os) {
  *os << c.File;
}

class SoundTest : public testing::TestWithParam<WavCase> {};

TEST_P(SoundTest, IsShortLoudEnoughStereoAt22050) {
  const WavCase& c = GetParam();
  SDL_AudioSpec format{};
  Uint8* buffer = nullptr;
  Uint32 length = 0;
  ASSERT_NE(SDL_LoadWAV(AssetPath(c.File).c_str(), &format, &buffer, &length), nullptr)
      << SDL_GetError();
  std::unique_ptr<Uint8, decltype(&SDL_FreeWAV)> owned(buffer, SDL_FreeWAV);
  EXPECT_EQ(format.freq, 22050);
  EXPECT_EQ(format.format, AUDIO_S16LSB);
  EXPECT_EQ(format.channels, 2);
  ASSERT_GT(length, 0u);
  ASSERT_EQ(length % 4, 0u) << "whole stereo frames";

  const Uint32 frames = length / 4;
  const double seconds = frames / 22050.0;
  EXPECT_GE(seconds, c.MinSeconds);
  EXPECT_LE(seconds, c.MaxSeconds);

  int peak = 0;
  for (Uint32 i = 0; i < length / 2; ++i) {
    int16_t sample;
    std::memcpy(&sample, buffer + 2 * i, 2);
    peak = std::max(peak, std::abs(static_cast<int>(sample)));
  }
  EXPECT_GT(peak, 8000) << "audible";
  EXPECT_LT(peak, 32767) << "not clipped";
  // Fades out to silence, so stopping it does not pop.
  int16_t last;
  std::memcpy(&last, buffer + length - 2, 2);
  EXPECT_LT(std::abs(static_cast<int>(last)), 64);
}

TEST_P(SoundTest, LoadsIntoTheMixerAsTheConsoleOpensIt) {
  // No sound card needed: SDL's silent driver unless the environment names one.
  SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_DEFAULT);
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
  ASSERT_EQ(Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 4096), 0) << Mix_GetError();
  Mix_Chunk* chunk = Mix_LoadWAV(AssetPath(GetParam().File).c_str());
  EXPECT_NE(chunk, nullptr) << Mix_GetError();
  if (chunk) {
    EXPECT_GT(chunk->alen, 0u);
    Mix_FreeChunk(chunk);
  }
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

INSTANTIATE_TEST_SUITE_P(Assets, SoundTest,
                         testing::Values(WavCase{"click.wav", 0.010, 0.030},
                                         WavCase{"bell.wav", 0.100, 1.000}),
                         [](const testing::TestParamInfo<WavCase>& info) {
                           return std::string(info.param.File[0] == 'c' ? "Click" : "Bell");
                         });

}  // namespace
