#include "framework/qt/WindowRegistry.h"

#include <algorithm>
#include <vector>

#include "framework/PaneChild.h"
#include "framework/Window.h"

namespace {

struct RegisteredWindow {
  std::shared_ptr<Window> window;
  std::string className;
};

std::vector<RegisteredWindow>& OpenWindows() {
  static std::vector<RegisteredWindow> windows;
  return windows;
}

}  // namespace

void WindowRegistryAdd(const std::shared_ptr<Window>& window, const std::string& className) {
  OpenWindows().push_back({window, className});
}

void WindowRegistryRemove(const Window* window) {
  auto& list = OpenWindows();
  // Move the reference out first: destroying a window may reenter the registry.
  std::shared_ptr<Window> keep;
  for (auto it = list.begin(); it != list.end(); ++it) {
    if (it->window.get() == window) {
      keep = std::move(it->window);
      list.erase(it);
      break;
    }
  }
}

std::shared_ptr<Window> WindowRegistryFind(const std::string& className) {
  for (const auto& entry : OpenWindows()) {
    if (entry.className == className && !entry.window->IsClosed()) return entry.window;
  }
  return nullptr;
}

size_t WindowRegistryCount() {
  return OpenWindows().size();
}

bool WindowRegistryAnyOpen() {
  return std::any_of(OpenWindows().begin(), OpenWindows().end(),
                     [](const RegisteredWindow& entry) { return !entry.window->IsClosed(); });
}

void WindowRegistryClear() {
  auto windows = std::move(OpenWindows());
  OpenWindows().clear();
  // A window that was never closed (the application quit from its menu) still holds the
  // children that hold it, the timer: break those pairs so that the window goes with the list.
  for (const auto& entry : windows) {
    for (const auto& object : entry.window->Controls()) {
      if (auto* child = dynamic_cast<PaneChild*>(object.get())) child->SetWindow(nullptr);
    }
  }
  windows.clear();
}
