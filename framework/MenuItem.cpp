#include "framework/MenuItem.h"

#include "framework/Application.h"
#include "framework/EventLoop.h"

MenuItem::MenuItem() = default;
MenuItem::~MenuItem() = default;

void MenuItem::Constructor() {}

void MenuItem::Append(std::shared_ptr<MenuItem> item) {
  children_.push_back(std::move(item));
}

std::shared_ptr<MenuItem> MenuItem::Item(int32_t index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return children_[static_cast<size_t>(index)];
}

std::shared_ptr<MenuItem> MenuItem::Child(const std::string& name) const {
  for (const auto& child : children_) {
    if (child && child->Name() == name) return child;
  }
  return nullptr;
}

std::shared_ptr<MenuItem> MenuItem::Lookup(const std::string& name) const {
  for (const auto& child : children_) {
    if (!child) continue;
    if (child->Name() == name) return child;
    if (auto found = child->Lookup(name)) return found;
  }
  return nullptr;
}

void MenuItem::DefaultAction() {}

void QuitMenuItem::DefaultAction() {
  auto app = RuntimeApplication();
  if (app && app->CancelClose()) return;
  Quit(0);
}
