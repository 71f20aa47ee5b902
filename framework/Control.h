// A control of a window. The window holds its controls; a control refers to its window
// weakly.
#pragma once

#include <climits>
#include <cstdint>
#include <memory>
#include <string>

#include "framework/Object.h"

class Control : public Object {
 public:
  // The index of a control that is not a member of a control array.
  static constexpr int32_t kNoIndex = INT32_MIN;

  int32_t Index() const { return index_; }
  void Index(int32_t index) { index_ = index; }
  const std::string& Name() const { return name_; }
  // The window the control was created for, or null when that window is gone.
  std::shared_ptr<class Window> Window() const { return window_.lock(); }

  void CreatedFor(const std::shared_ptr<class Window>& window) override { window_ = window; }

  // Raised once by the window after its construction, in creation order.
  virtual void RaiseOpen() {}
  // Raised by the window when its content area has taken a new size; a control with a place
  // on the window re-places itself.
  virtual void WindowResized(int32_t /*contentWidth*/, int32_t /*contentHeight*/) {}

 protected:
  bool ApplyProperty(const std::string& key, const PropertyValue& value) override;

 private:
  std::weak_ptr<class Window> window_;
  int32_t index_ = kNoIndex;
  std::string name_;
};
