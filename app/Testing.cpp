// Each seam hands on to the part of the program that it changes.
#include "app/Testing.h"

#include "app/MenuBar1.h"
#include "player/AlertSounds.h"

void SetMenuItemCreatedHookForTesting(MenuItemCreatedHook hook) {
  SetMenuBar1ItemHook(hook);
}

void ResetAlertSoundsForTesting() {
  ResetAlertSounds();
}
