#include "console/sdl/ConsoleSound.h"

#include <string>

#include "console/sdl/DataFiles.h"

namespace {

TChunkPtr LoadSound(std::string_view name) {
  const std::string path = FindDataFile(name);
  TChunkPtr chunk(Mix_LoadWAV(path.c_str()));
  if (chunk) Mix_VolumeChunk(chunk.get(), MIX_MAX_VOLUME);
  return chunk;
}

}  // namespace

void TConsoleSound::Open(const TLogFn& log) {
  SoundReady = ClickReady = BellReady = true;
  if (!Audio.Start(SDL_INIT_AUDIO)) {
    SoundReady = ClickReady = BellReady = false;
    log("Sound System not Initialized.");
    return;
  }
  if (!Mixer.OpenDevice(22050, AUDIO_S16LSB, 2, 4096)) {
    SoundReady = ClickReady = BellReady = false;
    log("Could not open Mixer.");
    return;
  }
  ClickSound = LoadSound("click.wav");
  if (!ClickSound) {
    ClickReady = false;
    log("Click Sound not Loaded.");
  }
  BellSound = LoadSound("bell.wav");
  if (!BellSound) {
    BellReady = false;
    log("Bell Sound not Loaded.");
  }
}

void TConsoleSound::Click() const {
  if (ClickReady && ClickSound) Mix_PlayChannel(-1, ClickSound.get(), 0);
}
