// The class of Window1's poll timer. A timer is not a control, so it carries what every
// control of a window has, a reference to the window and an index, and offers both to the
// framework through PaneChild.
//
// Ownership: the timer holds its window (an owning reference) while the window holds the
// timer. The window breaks the pair when it closes, by calling SetWindow(nullptr).
#pragma once

#include <cstdint>
#include <memory>

#include "framework/PaneChild.h"
#include "framework/Timer.h"

class Window1Poller : public Timer, public PaneChild {
 public:
  Window1Poller();
  ~Window1Poller() override;

  // The timer's index in its control array; 0 when it is created.
  int32_t index = 0;

  // Holds the window given (null drops the one held). The new reference is taken before
  // the old one is released, so passing the window already held keeps it alive.
  void SetWindow(std::shared_ptr<class Window> window) override;
  // The window held; null until SetWindow has run.
  std::shared_ptr<class Window> Window() override;
  int32_t Index() override;
  void SetIndex(int32_t value) override;
  // Does nothing: the timer's own setting up is done when the object is created.
  void Constructor();

 private:
  std::shared_ptr<class Window> ownerWindow;
};
