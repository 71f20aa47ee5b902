// A sound file the program can play: an MP3 (MPEG audio layer I, II or III) that decoded
// cleanly when it was opened. A Sound keeps the file it opened, open, for as long as it lives:
// every Play plays that same stream from its start, so a file renamed, replaced or deleted
// after Open changes nothing that the Sound plays. All sounds play through the process's one
// audio output, one at a time: Play replaces whatever plays.
//
// Threads: call Play and IsPlaying from the program's thread. A Sound may be released at any
// time, even while it plays (it then plays on to its end, and its file is closed after that).
#pragma once

#include <memory>
#include <string>

#include "framework/Object.h"

class Sound : public Object {
  struct Token {};
  struct Impl;

 public:
  Sound(Token, std::unique_ptr<Impl> impl);
  ~Sound() override;

  // The sound in the file at `path` (native path bytes), or null when the file is not one: not
  // a regular readable file, or its first frames do not decode cleanly.
  static std::shared_ptr<Sound> Open(const std::string& path);

  // Starts the sound from its beginning and returns at once, replacing the sound that plays;
  // its first samples go out within one buffer of the output. When the sound cannot be started
  // (one line on stderr says why), what plays goes on.
  void Play();
  // True from Play until the sound's last sample has gone to the audio device. A cheap read.
  bool IsPlaying() const;
  // The length in seconds as the file's headers give it; -1 when they do not.
  double Duration() const;

 protected:
  std::string ClassNameForMessages() const override;

 private:
  std::unique_ptr<Impl> impl_;
};
