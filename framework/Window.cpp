#include "framework/Window.h"

#include <QApplication>
#include <QMenuBar>
#include <QTimer>
#include <algorithm>
#include <typeinfo>

#include "framework/Control.h"
#include "framework/Dispatch.h"
#include "framework/EventLoop.h"
#include "framework/Exceptions.h"
#include "framework/MenuItem.h"
#include "framework/PaneChild.h"
#include "framework/TypeRegistry.h"
#include "framework/qt/MenuBuilder.h"
#include "framework/qt/WindowImpl.h"
#include "framework/qt/WindowRegistry.h"

namespace {

std::string ClassKey(const Window& window) {
  std::string name = RuntimeTypeName(std::type_index(typeid(window)));
  if (name.empty()) name = typeid(window).name();
  return name + "." + name;
}

int32_t IndexOf(const Object& object) {
  if (auto* control = dynamic_cast<const Control*>(&object)) return control->Index();
  if (auto* child = dynamic_cast<const PaneChild*>(&object)) {
    return const_cast<PaneChild*>(child)->Index();
  }
  return Control::kNoIndex;
}

// A window as the framework's window list holds it.
class Listed : public ListedWindow {
 public:
  explicit Listed(std::shared_ptr<Window> window) : window_(std::move(window)) {}
  const std::shared_ptr<Window>& Get() const override { return window_; }
  bool Closed() const override { return window_->IsClosed(); }
  void ReleaseChildren() override {
    for (const auto& object : window_->Controls()) {
      if (auto* child = dynamic_cast<PaneChild*>(object.get())) child->SetWindow(nullptr);
    }
  }

 private:
  std::shared_ptr<Window> window_;
};

}  // namespace

std::shared_ptr<Window> GetImplicitWindow(const std::string& className) {
  return WindowRegistryFind(className);
}

Window::Window() : impl_(std::make_unique<Impl>()) {
  impl_->frame = std::make_unique<WindowFrame>();
  impl_->content = new WindowContent;
  impl_->frame->setCentralWidget(impl_->content);
  impl_->content->onResize = [this](int w, int h) { ContentResized(w, h); };
  impl_->frame->onClose = [this] { Closing(); };
  ApplyLimits();
  impl_->ResizeContent(width_, height_);
}

Window::~Window() {
  impl_->content->onResize = nullptr;
  impl_->frame->onClose = nullptr;
  // Controls first, while their widgets' parent still exists; then the frame.
  auto controls = std::move(controls_);
  controls.clear();
  impl_->frame.reset();
}

void Window::Constructor() {
  auto self = SharedAs<Window>();
  WindowRegistryAdd(std::make_unique<Listed>(self), ClassKey(*this));
  Layout();
  CreateControls();
  ContentsChanged(false);
  if (visible_) {
    if (fullScreen_) {
      impl_->frame->showFullScreen();
    } else {
      impl_->frame->show();
    }
    impl_->ResizeContent(width_, height_);
  }
  for (const auto& entry : Controls()) {
    if (auto control = Cast<Control>(entry)) control->RaiseOpen();
  }
  RuntimeDispatch([self] { self->Open(); });
}

void Window::MenuBar(std::shared_ptr<class MenuBar> bar) {
  menuBar_ = std::move(bar);
  BuildQtMenuBar(*impl_->frame, menuBar_);
  impl_->frame->menuBar()->setVisible(menuBarVisible_ && menuBar_ != nullptr);
  impl_->ResizeContent(width_, height_);
}

void Window::AddControl(const std::string& name, std::shared_ptr<Object> control) {
  if (!control) throw NilObjectException("AddControl was given no control");
  if (auto* child = dynamic_cast<PaneChild*>(control.get())) child->SetWindow(SharedAs<Window>());
  controls_.push_back({name, std::move(control)});
}

std::shared_ptr<Object> Window::ControlByName(const std::string& name) const {
  for (const auto& entry : controls_) {
    if (entry.name == name) return entry.object;
  }
  return nullptr;
}

std::shared_ptr<Object> Window::ControlByNameIndex(const std::string& name, int32_t index) const {
  for (const auto& entry : controls_) {
    if (entry.name == name && IndexOf(*entry.object) == index) return entry.object;
  }
  return nullptr;
}

std::vector<std::shared_ptr<Object>> Window::Controls() const {
  std::vector<std::shared_ptr<Object>> list;
  list.reserve(controls_.size());
  for (const auto& entry : controls_) list.push_back(entry.object);
  return list;
}

void Window::Resize(int32_t width, int32_t height) {
  width = std::clamp(width, minWidth_, maxWidth_);
  height = std::clamp(height, minHeight_, maxHeight_);
  impl_->ResizeContent(width, height);
  // Qt may defer the layout of a hidden frame; the content gets the size at once.
  ContentResized(impl_->content->width(), impl_->content->height());
}

void Window::CloseWindow() {
  impl_->frame->close();
}

void Window::ContentResized(int32_t width, int32_t height) {
  width_ = width;
  height_ = height;
  for (const auto& entry : controls_) {
    if (auto* control = dynamic_cast<Control*>(entry.object.get())) {
      control->WindowResized(width, height);
    }
  }
}

void Window::Closing() {
  if (closed_) return;
  closed_ = true;
  auto self = SharedAs<Window>();
  RuntimeDispatch([self] { self->Close(); });
  // Break the hold of the window's children that hold the window back (the timer), so
  // that both can be released.
  for (const auto& entry : controls_) {
    if (auto* child = dynamic_cast<PaneChild*>(entry.object.get())) child->SetWindow(nullptr);
  }
  // The framework drops the window once the close event has been handled; closing the
  // last window ends the application.
  const Window* raw = this;
  QTimer::singleShot(0, [raw] { WindowRegistryRemove(raw); });
  if (!WindowRegistryAnyOpen()) Quit(0);
}

void Window::ApplyLimits() {
  impl_->content->setMinimumSize(minWidth_, minHeight_);
  impl_->content->setMaximumSize(maxWidth_, maxHeight_);
  Qt::WindowFlags flags =
      Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
  if (closeButton_) flags |= Qt::WindowCloseButtonHint;
  if (minimizeButton_) flags |= Qt::WindowMinimizeButtonHint;
  if (maximizeButton_) flags |= Qt::WindowMaximizeButtonHint;
  if (impl_->frame->windowFlags() != flags) impl_->frame->setWindowFlags(flags);
  if (!resizeable_) {
    impl_->content->setFixedSize(width_, height_);
  }
}

bool Window::ApplyProperty(const std::string& key, const PropertyValue& value) {
  auto flag = [&] { return AsBoolean(value, key); };
  auto number = [&] { return AsInteger(value, key); };
  if (key == "Width" || key == "Height") {
    (key == "Width" ? width_ : height_) = number();
    impl_->ResizeContent(width_, height_);
  } else if (key == "MinWidth") {
    minWidth_ = number();
  } else if (key == "MinHeight") {
    minHeight_ = number();
  } else if (key == "MaxWidth") {
    maxWidth_ = number();
  } else if (key == "MaxHeight") {
    maxHeight_ = number();
  } else if (key == "Title") {
    title_ = AsText(value, key);
    impl_->frame->setWindowTitle(QString::fromStdString(title_));
    return true;
  } else if (key == "Visible") {
    visible_ = flag();
    return true;
  } else if (key == "FullScreen") {
    fullScreen_ = flag();
    return true;
  } else if (key == "MenuBarVisible") {
    menuBarVisible_ = flag();
    impl_->frame->menuBar()->setVisible(menuBarVisible_ && menuBar_ != nullptr);
    impl_->ResizeContent(width_, height_);
    return true;
  } else if (key == "CloseButton") {
    closeButton_ = flag();
  } else if (key == "Resizeable") {
    resizeable_ = flag();
  } else if (key == "MaximizeButton") {
    maximizeButton_ = flag();
  } else if (key == "MinimizeButton") {
    minimizeButton_ = flag();
  } else if (key == "HasBackColor" || key == "BackColor") {
    if (key == "HasBackColor") {
      hasBackColor_ = flag();
    } else {
      backColor_ = AsColor(value, key);
    }
    impl_->content->setAutoFillBackground(hasBackColor_);
    if (hasBackColor_) {
      QPalette palette = impl_->content->palette();
      palette.setColor(QPalette::Window, QColor(backColor_.red, backColor_.green, backColor_.blue));
      impl_->content->setPalette(palette);
    }
    return true;
  } else if (key == "Placement" || key == "Frame" || key == "MacProcID") {
    number();  // placement, frame kind and the native window kind: one kind of window here
    return true;
  } else if (key == "Composite" || key == "LiveResize") {
    flag();  // Qt always composites and always resizes live
    return true;
  } else {
    return Object::ApplyProperty(key, value);
  }
  ApplyLimits();
  return true;
}
