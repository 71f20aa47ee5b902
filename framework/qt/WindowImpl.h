// Framework-internal: the Qt side of a Window, its frame and the content area below the menu
// bar.
#pragma once

#include <QCloseEvent>
#include <QMainWindow>
#include <QPointer>
#include <QResizeEvent>
#include <functional>
#include <memory>

#include "framework/Window.h"

// The content area below the menu bar; reports its resizes to the window.
class WindowContent : public QWidget {
 public:
  std::function<void(int, int)> onResize;

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QWidget::resizeEvent(event);
    if (onResize) onResize(event->size().width(), event->size().height());
  }
};

class WindowFrame : public QMainWindow {
 public:
  std::function<void()> onClose;

 protected:
  void closeEvent(QCloseEvent* event) override {
    event->accept();
    if (onClose) onClose();
  }
};

struct Window::Impl {
  std::unique_ptr<WindowFrame> frame;
  QPointer<WindowContent> content;
  // Content-area size before the window has been laid out, from the stored properties.
  void ResizeContent(int width, int height);
};

// The framework's way to a window's Qt side; Window befriends it.
struct WindowAccess {
  static Window::Impl& Of(const Window& window) { return *window.impl_; }
};

// The content widget of a window: the parent of its controls' widgets.
inline QWidget* ContentWidget(const Window& window) {
  return WindowAccess::Of(window).content;
}
