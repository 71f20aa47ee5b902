#include "framework/AudioOutput.h"

// Placeholder until the SDL output lands.
void AudioOutputShutdown() {}
