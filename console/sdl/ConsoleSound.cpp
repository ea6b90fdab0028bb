#include "console/sdl/ConsoleSound.h"

#include <string>

#include "util/DataFiles.h"

namespace {

TChunkPtr LoadSound(std::string_view name) {
  const std::string path = FindDataFile(name);
  TChunkPtr chunk(Mix_LoadWAV(path.c_str()));
  if (chunk) Mix_VolumeChunk(chunk.get(), MIX_MAX_VOLUME);
  return chunk;
}

}  // namespace

void TConsoleSound::Open(const TLogFn& log, bool diagnostics) {
  if (!diagnostics) AlsaMessages.Silence();
  if (!Audio.Start(SDL_INIT_AUDIO)) {
    log("Sound System not Initialized.");
    return;
  }
  if (!Mixer.OpenDevice(22050, AUDIO_S16LSB, 2, 4096)) {
    log("Could not open Mixer.");
    // Also ends the thread in which SDL keeps looking for a device to appear.
    Audio.Stop();
    return;
  }
  ClickSound = LoadSound("click.wav");
  if (!ClickSound) log("Click Sound not Loaded.");
  BellSound = LoadSound("bell.wav");
  if (!BellSound) log("Bell Sound not Loaded.");
}

void TConsoleSound::Click() const {
  if (ClickSound) Mix_PlayChannel(-1, ClickSound.get(), 0);
}
