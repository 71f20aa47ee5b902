// The one menu bar, shared by the application object and the main window: File with Quit,
// Edit with Undo, Cut, Copy, Paste, Delete and Select All.
#pragma once

#include <memory>

#include "framework/MenuItem.h"

class MenuBar1 : public MenuBar {
 public:
  // The single instance, created and built on the first call.
  static std::shared_ptr<MenuBar1> Instance();
  // Drops the single instance (end of the process).
  static void ReleaseInstance();

  void Constructor() override;
  void Untitled0();
  void Untitled1();
};

// Called with each item as the menu bar builds it, before the item is attached (null: none).
// Tests reach this through SetMenuItemCreatedHookForTesting (app/Testing.h).
void SetMenuBar1ItemHook(void (*hook)(MenuItem& item));
