// A top-level window. The framework holds every open window (see GetImplicitWindow) and the
// window holds the controls registered with it. Objects created for the window (New) refer
// back to it weakly, so a window must be made with std::make_shared.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/Object.h"

class MenuBar;
class RectControl;

class Window : public Object {
 public:
  Window();
  ~Window() override;

  // The framework's default construction: registers the window under its class name, runs
  // Layout, then CreateControls, clears ContentsChanged, shows the window when Visible, and
  // raises each control's Open event in creation order.
  virtual void Constructor();

  // The window's events; the defaults do nothing.
  virtual void Layout() {}
  virtual void CreateControls() {}
  virtual void Open() {}
  virtual void Close() {}

  std::shared_ptr<class MenuBar> MenuBar() const { return menuBar_; }
  void MenuBar(std::shared_ptr<class MenuBar> bar);

  bool ContentsChanged() const { return contentsChanged_; }
  void ContentsChanged(bool value) { contentsChanged_ = value; }

  // A new object of class T, created for this window.
  template <typename T>
  std::shared_ptr<T> New() {
    auto object = std::make_shared<T>();
    object->CreatedFor(SharedAs<Window>());
    return object;
  }

  // The control registry. Several controls may share one name and differ by index.
  void AddControl(const std::string& name, std::shared_ptr<Object> control);
  std::shared_ptr<Object> ControlByName(const std::string& name) const;
  // The control registered under that name whose index equals index, or null.
  std::shared_ptr<Object> ControlByNameIndex(const std::string& name, int32_t index) const;
  // Every registered control, in registration order.
  std::vector<std::shared_ptr<Object>> Controls() const;

  // The window's stored properties, as applied (the size is the content area below the
  // menu bar, and follows the user's resizing).
  const std::string& Title() const { return title_; }
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  int32_t MinWidth() const { return minWidth_; }
  int32_t MinHeight() const { return minHeight_; }
  int32_t MaxWidth() const { return maxWidth_; }
  int32_t MaxHeight() const { return maxHeight_; }
  bool Visible() const { return visible_; }
  bool Resizeable() const { return resizeable_; }
  bool CloseButton() const { return closeButton_; }
  bool MinimizeButton() const { return minimizeButton_; }
  bool MaximizeButton() const { return maximizeButton_; }
  bool FullScreen() const { return fullScreen_; }

  // Resizes the content area, as the user would, within the limits.
  void Resize(int32_t width, int32_t height);
  // Closes the window, as its close box does.
  void CloseWindow();
  bool IsClosed() const { return closed_; }

 protected:
  bool ApplyProperty(const std::string& key, const PropertyValue& value) override;

 private:
  // The Qt side of the window (framework/qt/WindowImpl.h), reached through WindowAccess.
  struct Impl;
  friend struct WindowAccess;

  void ContentResized(int32_t width, int32_t height);
  void Closing();
  void ApplyLimits();

  std::unique_ptr<Impl> impl_;
  std::shared_ptr<class MenuBar> menuBar_;
  struct Entry {
    std::string name;
    std::shared_ptr<Object> object;
  };
  std::vector<Entry> controls_;
  bool contentsChanged_ = false;
  bool closed_ = false;
  std::string title_;
  int32_t width_ = 300;
  int32_t height_ = 300;
  int32_t minWidth_ = 64;
  int32_t minHeight_ = 64;
  int32_t maxWidth_ = 32000;
  int32_t maxHeight_ = 32000;
  bool visible_ = true;
  bool resizeable_ = true;
  bool closeButton_ = true;
  bool minimizeButton_ = true;
  bool maximizeButton_ = true;
  bool fullScreen_ = false;
  bool menuBarVisible_ = true;
  bool hasBackColor_ = false;
  Color backColor_ = Color::FromHex(0xFFFFFF);
};

// The open window registered under a class name such as "Window1.Window1", or null.
std::shared_ptr<Window> GetImplicitWindow(const std::string& className);
