// The framework's list of open windows: it holds each window from its construction until its
// close has been handled, finds open windows by class name, and lets go of every window at
// the end of the process. Program's thread only.
#pragma once

#include <memory>
#include <string>

class Window;

// What the list asks of a window it holds; Window.cpp answers for each window.
class ListedWindow {
 public:
  virtual ~ListedWindow() = default;
  virtual const std::shared_ptr<Window>& Get() const = 0;
  // Whether the window has been closed (by the user or by the program).
  virtual bool Closed() const = 0;
  // Breaks the hold of the window's children that hold it back (a timer), so that the window
  // can go when the list lets go of it.
  virtual void ReleaseChildren() = 0;
};

void WindowRegistryAdd(std::unique_ptr<ListedWindow> window, const std::string& className);
void WindowRegistryRemove(const Window* window);
// The open window registered under that class name, or null.
std::shared_ptr<Window> WindowRegistryFind(const std::string& className);
// Whether a window that has not been closed remains.
bool WindowRegistryAnyOpen();
// Lets go of every window, open or closed.
void WindowRegistryClear();
