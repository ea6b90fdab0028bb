#pragma once

#include <functional>
#include <string_view>

#include "console/sdl/SdlHandles.h"

// The key click (and the bell, loaded but never played). Every failure only
// silences the sound; the program runs on.
class TConsoleSound {
 public:
  using TLogFn = std::function<void(std::string_view)>;

  TConsoleSound() = default;
  ~TConsoleSound() = default;
  TConsoleSound(const TConsoleSound&) = delete;
  TConsoleSound& operator=(const TConsoleSound&) = delete;

  // Starts audio, opens the mixer and loads "click.wav" and "bell.wav",
  // logging each failure.
  void Open(const TLogFn& log);
  // Starts the click once on the first free mixer channel.
  void Click() const;

  bool SoundReady = false;
  bool ClickReady = false;
  bool BellReady = false;

 private:
  // Declared in the order of creation so they are released in reverse.
  TSdlSubsystem Audio;
  TMixerDevice Mixer;

 public:
  TChunkPtr ClickSound;
  TChunkPtr BellSound;
};
