#include "framework/qt/WindowImpl.h"

void Window::Impl::ResizeContent(int width, int height) {
  int menuHeight = 0;
  if (frame->menuWidget() && frame->menuWidget()->isVisibleTo(frame.get())) {
    menuHeight = frame->menuWidget()->sizeHint().height();
  }
  content->resize(width, height);
  frame->resize(width, height + menuHeight);
}
