// The process's one audio output: an SDL audio device (44.1 kHz, stereo, signed 16-bit,
// 512-frame buffer) opened on the first Play, whose callback copies the samples of the voice
// that plays, and a feeder thread that decodes that voice about a second ahead and watches the
// device. With no usable device the output runs on SDL's timed dummy driver, so sounds still
// take their time, and the feeder tries the real device again about once a second. A device
// that goes away is reopened, or replaced by the dummy driver until it comes back.
//
// Threads: call these from the program's thread. The callback (SDL's audio thread) and the
// feeder thread are the output's own.
#pragma once

#include <memory>

class AudioVoice;

// Starts a voice that has begun (AudioVoice::Begin), replacing the one that plays (which stops
// at once). Opens the output when it is not open. Returns at once.
void AudioOutputPlay(const std::shared_ptr<AudioVoice>& voice);
// Stops the feeder, closes the device and SDL's audio. Safe when nothing was opened, and when
// called again; the next Play opens the output anew.
void AudioOutputShutdown();

// Takes the device away, as an unplugged card would. Tests reach this through
// AudioOutputLoseDeviceForTesting (framework/Testing.h).
void AudioOutputLoseDevice();
