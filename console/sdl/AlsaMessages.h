#pragma once

// libasound reports every failed look-up of a sound card on standard error
// through its error handler ("ALSA lib confmisc.c:855:(parse_card) cannot
// find card '0'"), and SDL asks it while it opens audio. A missing card only
// silences the click, so a normal run drops those lines: while Silence() is in
// force the handler takes them and says nothing. libasound comes into the
// process with SDL; where it is not there, there is nothing to silence.
class TAlsaMessages {
 public:
  TAlsaMessages() = default;
  // Puts libasound's own handler back.
  ~TAlsaMessages();
  TAlsaMessages(const TAlsaMessages&) = delete;
  TAlsaMessages& operator=(const TAlsaMessages&) = delete;

  void Silence();

 private:
  // libasound's snd_lib_error_set_handler; its handler is variadic.
  using THandler = void (*)(const char*, int, const char*, int, const char*, ...);
  using TSetHandler = int (*)(THandler);
  void* Library = nullptr;
  TSetHandler SetHandler = nullptr;
};
