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

  // The construction hook that tests use to make the build fail part-way.
  static void (*itemCreatedHook)(MenuItem& item);
};
