// Menus: a tree of MenuItem objects. The tree is plain data; a window that is given a menu
// bar builds its Qt menus from the tree (framework/qt/MenuBuilder.cpp).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/Object.h"

class MenuItem : public Object {
 public:
  MenuItem();
  ~MenuItem() override;

  // The no-argument construction of an item; leaves it as created.
  virtual void Constructor();

  const std::string& Name() const { return name_; }
  void Name(std::string name) { name_ = std::move(name); }
  // The caption; "&" marks the mnemonic, and "-" makes the item a separator.
  const std::string& Text() const { return text_; }
  void Text(std::string text) { text_ = std::move(text); }
  // A shortcut such as "Cmd+Q"; "Cmd" is the platform's command key (Ctrl here).
  const std::string& KeyboardShortcut() const { return shortcut_; }
  void KeyboardShortcut(std::string shortcut) { shortcut_ = std::move(shortcut); }
  // True leaves enabling the item to the framework.
  bool AutoEnable() const { return autoEnable_; }
  void AutoEnable(bool value) { autoEnable_ = value; }
  bool IsSeparator() const { return text_ == "-"; }

  // Adds an item after the existing children.
  void Append(std::shared_ptr<MenuItem> item);
  int32_t Count() const { return static_cast<int32_t>(children_.size()); }
  // The child at an index from 0; null past the last.
  std::shared_ptr<MenuItem> Item(int32_t index) const;
  // The direct child with that Name, or null.
  std::shared_ptr<MenuItem> Child(const std::string& name) const;
  // The item with that Name at any depth below this one, or null.
  std::shared_ptr<MenuItem> Lookup(const std::string& name) const;

  // The item's events. Action returns true when it handled the command; otherwise the
  // framework does what it does for the item by itself.
  virtual bool Action() { return false; }
  virtual void EnableMenu() {}

  // What choosing the item does when Action does not handle it.
  virtual void DefaultAction();

 private:
  std::string name_;
  std::string text_;
  std::string shortcut_;
  bool autoEnable_ = true;
  std::vector<std::shared_ptr<MenuItem>> children_;
};

// The item whose choice quits the application.
class QuitMenuItem : public MenuItem {
 public:
  void DefaultAction() override;
};

// A menu bar: an item whose children are the top-level menus.
class MenuBar : public MenuItem {};
