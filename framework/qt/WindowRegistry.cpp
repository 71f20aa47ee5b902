#include "framework/qt/WindowRegistry.h"

#include <algorithm>
#include <vector>

namespace {

struct RegisteredWindow {
  std::unique_ptr<ListedWindow> window;
  std::string className;
};

std::vector<RegisteredWindow>& OpenWindows() {
  static std::vector<RegisteredWindow> windows;
  return windows;
}

}  // namespace

void WindowRegistryAdd(std::unique_ptr<ListedWindow> window, const std::string& className) {
  OpenWindows().push_back({std::move(window), className});
}

void WindowRegistryRemove(const Window* window) {
  auto& list = OpenWindows();
  // Move the reference out first: destroying a window may reenter the registry.
  std::unique_ptr<ListedWindow> keep;
  for (auto it = list.begin(); it != list.end(); ++it) {
    if (it->window->Get().get() == window) {
      keep = std::move(it->window);
      list.erase(it);
      break;
    }
  }
}

std::shared_ptr<Window> WindowRegistryFind(const std::string& className) {
  for (const auto& entry : OpenWindows()) {
    if (entry.className == className && !entry.window->Closed()) return entry.window->Get();
  }
  return nullptr;
}

bool WindowRegistryAnyOpen() {
  return std::any_of(OpenWindows().begin(), OpenWindows().end(),
                     [](const RegisteredWindow& entry) { return !entry.window->Closed(); });
}

void WindowRegistryClear() {
  auto windows = std::move(OpenWindows());
  OpenWindows().clear();
  // A window that was never closed (the application quit from its menu) still holds the
  // children that hold it, the timer: break those pairs so that the window goes with the list.
  for (const auto& entry : windows) entry.window->ReleaseChildren();
  windows.clear();
}
