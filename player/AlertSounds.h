// The two alert sounds, loaded once per process from the bundle's "Resources" folder and
// held until the end of the process. Main thread only.
#pragma once

#include <memory>

class Sound;

// Each loads its file on its first call only (a failed load is never tried again) and
// gives the same sound, or null, at every call.
std::shared_ptr<Sound> amberalert();
std::shared_ptr<Sound> gateclosed();
// Drops both sounds, amber first (end of the process). The items stay loaded.
void ReleaseAlertSounds();
// Forgets both loads, so that the next calls load again. Tests reach this through
// ResetAlertSoundsForTesting (app/Testing.h).
void ResetAlertSounds();
