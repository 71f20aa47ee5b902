// The framework's lists of open windows (framework-internal).
#pragma once

#include <memory>
#include <string>

class Window;

void WindowRegistryAdd(const std::shared_ptr<Window>& window, const std::string& className);
void WindowRegistryRemove(const Window* window);
std::shared_ptr<Window> WindowRegistryFind(const std::string& className);
size_t WindowRegistryCount();
// Whether a window that the user has not closed remains.
bool WindowRegistryAnyOpen();
void WindowRegistryClear();
