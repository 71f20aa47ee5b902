#pragma once
// Shuts the process's audio output down; safe when it was never opened, and when called twice.
void AudioOutputShutdown();
