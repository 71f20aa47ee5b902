#pragma once

#include <cstdint>
#include <memory>

class Window;

// What a window's child that is not a control (a timer) offers the window: a reference to
// the window and an index in a control array.
class PaneChild {
 public:
  virtual ~PaneChild() = default;
  virtual void SetWindow(std::shared_ptr<class Window> window) = 0;
  virtual std::shared_ptr<class Window> Window() = 0;
  virtual int32_t Index() = 0;
  virtual void SetIndex(int32_t index) = 0;
};
