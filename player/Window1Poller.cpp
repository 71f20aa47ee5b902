#include "player/Window1Poller.h"

#include <utility>

Window1Poller::Window1Poller() = default;

Window1Poller::~Window1Poller() {
  ownerWindow = nullptr;
}

void Window1Poller::SetWindow(std::shared_ptr<class Window> window) {
  // `window` already holds the new reference; the old one goes when it leaves scope.
  std::swap(ownerWindow, window);
}

std::shared_ptr<class Window> Window1Poller::Window() {
  return ownerWindow;
}

int32_t Window1Poller::Index() {
  return index;
}

void Window1Poller::SetIndex(int32_t value) {
  index = value;
}

void Window1Poller::Constructor() {}
