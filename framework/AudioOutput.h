// The process's one audio output: an SDL audio device (44.1 kHz, stereo, signed 16-bit,
// 512-frame buffer) opened on the first Play and fed by SDL's audio thread from the voice that
// plays. With no usable device the output runs on SDL's timed dummy driver, so sounds still
// take their time. A device that goes away is reopened (or replaced by the dummy driver) the
// next time the program plays or asks whether a sound plays.
//
// Threads: call these from the program's thread. The audio thread only reads the current
// voice, under the device lock.
#pragma once

#include <memory>

class AudioVoice;

// Starts a voice from its beginning, replacing the one that plays (which stops at once).
// Opens the output when it is not open. Returns at once.
void AudioOutputPlay(const std::shared_ptr<AudioVoice>& voice);
// Cheap: notices a lost device and reopens it. Does nothing when the output is not open.
void AudioOutputCheckDevice();
// Closes the device and SDL's audio. Safe when nothing was opened, and when called again.
void AudioOutputShutdown();

// For tests: takes the device away, as an unplugged card would.
void AudioOutputLoseDeviceForTesting();
