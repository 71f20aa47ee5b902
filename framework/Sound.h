// A sound file the program can play: an MP3 (MPEG audio layer I, II or III) that decoded
// cleanly when it was opened. All sounds play through the process's one audio output, one at a
// time: Play replaces whatever plays. Call Play and IsPlaying from the program's thread; a
// Sound may be released at any time, even while it plays (it then plays on to its end).
#pragma once

#include <memory>
#include <string>

#include "framework/Object.h"

class Sound : public Object {
  struct Token {};

 public:
  Sound(Token, std::string path, double duration);
  ~Sound() override;

  // The sound in the file at `path` (native path bytes), or null when the file is not one: not
  // a regular readable file, or its first frames do not decode cleanly.
  static std::shared_ptr<Sound> Open(const std::string& path);

  // Starts the sound from its beginning and returns at once, replacing the sound that plays.
  // When the file can no longer be read (one line on stderr says why), nothing changes.
  void Play();
  // True from Play until the sound's last sample has gone to the audio device.
  bool IsPlaying() const;
  // The length in seconds as the file's headers give it; -1 when they do not.
  double Duration() const;

 protected:
  std::string ClassNameForMessages() const override;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};
