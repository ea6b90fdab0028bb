#pragma once

#include <functional>
#include <string_view>

#include "console/sdl/AlsaMessages.h"
#include "console/sdl/SdlHandles.h"

// The key click (and the bell, loaded but never played). Every failure only
// silences the sound; the program runs on, and says so only in its log.
class TConsoleSound {
 public:
  using TLogFn = std::function<void(std::string_view)>;

  TConsoleSound() = default;
  ~TConsoleSound() = default;
  TConsoleSound(const TConsoleSound&) = delete;
  TConsoleSound& operator=(const TConsoleSound&) = delete;

  // Starts audio, opens the mixer and loads "click.wav" and "bell.wav",
  // logging each failure. Without diagnostics the sound library's own
  // complaints about a missing card are dropped too.
  void Open(const TLogFn& log, bool diagnostics);
  // The click was loaded into an opened mixer.
  bool ClickReady() const { return ClickSound != nullptr; }
  // Starts the click once on the first free mixer channel.
  void Click() const;

 private:
  // Declared in the order of creation so they are released in reverse.
  TAlsaMessages AlsaMessages;
  TSdlSubsystem Audio;
  TMixerDevice Mixer;
  TChunkPtr ClickSound;
  // Loaded so that a missing file is reported; nothing rings the bell yet.
  TChunkPtr BellSound;
};
