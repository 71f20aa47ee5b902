#include "player/AlertSounds.h"

#include <string>

#include "framework/BundleResources.h"
#include "framework/Exceptions.h"
#include "framework/FolderItem.h"
#include "framework/Sound.h"

namespace {

struct SoundItem {
  const char* fileName;
  std::shared_ptr<Sound> permaSound;
  bool loaded = false;

  std::shared_ptr<Sound> Get() {
    if (!loaded) {
      loaded = true;  // before any attempt: whatever follows, the load is not tried again
      std::shared_ptr<FolderItem> resources = GetApplicationBundleResources();
      if (resources) {
        std::shared_ptr<FolderItem> file = resources->Child(fileName);
        permaSound = NilCheck(file)->OpenAsSound();
      }
    }
    return permaSound;
  }
};

SoundItem amber{"amber-alert.mp3", nullptr};
SoundItem gate{"gate-closed.mp3", nullptr};

}  // namespace

std::shared_ptr<Sound> amberalert() {
  return amber.Get();
}
std::shared_ptr<Sound> gateclosed() {
  return gate.Get();
}

void ReleaseAlertSounds() {
  amber.permaSound = nullptr;
  gate.permaSound = nullptr;
}

void ResetAlertSounds() {
  amber = SoundItem{"amber-alert.mp3", nullptr};
  gate = SoundItem{"gate-closed.mp3", nullptr};
}
