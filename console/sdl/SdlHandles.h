#pragma once

#include <SDL.h>
#include <SDL_mixer.h>

#include <memory>

// Owning handles for every SDL resource the console holds, so that each one is
// released exactly once and in reverse order of creation.

struct TSurfaceDeleter {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using TSurfacePtr = std::unique_ptr<SDL_Surface, TSurfaceDeleter>;

struct TWindowDeleter {
  void operator()(SDL_Window* w) const { SDL_DestroyWindow(w); }
};
using TWindowPtr = std::unique_ptr<SDL_Window, TWindowDeleter>;

struct TChunkDeleter {
  void operator()(Mix_Chunk* c) const { Mix_FreeChunk(c); }
};
using TChunkPtr = std::unique_ptr<Mix_Chunk, TChunkDeleter>;

// SDL_Quit when the last owner goes away: declared first, destroyed last.
class TSdlLibrary {
 public:
  TSdlLibrary() = default;
  ~TSdlLibrary() { SDL_Quit(); }
  TSdlLibrary(const TSdlLibrary&) = delete;
  TSdlLibrary& operator=(const TSdlLibrary&) = delete;
};

// One started SDL subsystem; stopped again when the guard goes away.
class TSdlSubsystem {
 public:
  TSdlSubsystem() = default;
  ~TSdlSubsystem() { Stop(); }
  TSdlSubsystem(const TSdlSubsystem&) = delete;
  TSdlSubsystem& operator=(const TSdlSubsystem&) = delete;

  bool Start(Uint32 flags) {
    Stop();
    if (SDL_InitSubSystem(flags) != 0) return false;
    Flags = flags;
    return true;
  }
  void Stop() {
    if (Flags != 0) SDL_QuitSubSystem(Flags);
    Flags = 0;
  }

 private:
  Uint32 Flags = 0;
};

// The opened mixer device; closed when the guard goes away.
class TMixerDevice {
 public:
  TMixerDevice() = default;
  ~TMixerDevice() {
    if (Open) Mix_CloseAudio();
  }
  TMixerDevice(const TMixerDevice&) = delete;
  TMixerDevice& operator=(const TMixerDevice&) = delete;

  bool OpenDevice(int frequency, Uint16 format, int channels, int chunkSize) {
    Open = Mix_OpenAudio(frequency, format, channels, chunkSize) == 0;
    return Open;
  }

 private:
  bool Open = false;
};
