#include "app/MenuBar1.h"

#include "framework/Exceptions.h"

namespace {

void (*itemHook)(MenuItem& item) = nullptr;

std::shared_ptr<MenuBar1>& SingleInstance() {
  static std::shared_ptr<MenuBar1> instance;
  return instance;
}

// One item, built in the same steps for all: create, construct, name, enable, caption,
// shortcut (not for separators), then attach to the bar or to the menu named `parent`.
template <typename ItemClass = MenuItem>
void BuildItem(MenuBar1& bar, const char* parent, const char* name, const char* text,
               const char* shortcut) {
  auto item = std::make_shared<ItemClass>();
  NilCheck(item)->Constructor();
  item->Name(name);
  item->AutoEnable(true);
  item->Text(text);
  if (shortcut) item->KeyboardShortcut(shortcut);
  if (itemHook) itemHook(*item);
  if (parent) {
    NilCheck(bar.Child(parent))->Append(item);
  } else {
    bar.Append(item);
  }
}

}  // namespace

void SetMenuBar1ItemHook(void (*hook)(MenuItem& item)) {
  itemHook = hook;
}

std::shared_ptr<MenuBar1> MenuBar1::Instance() {
  auto& instance = SingleInstance();
  if (instance) return instance;
  auto bar = std::make_shared<MenuBar1>();
  bar->Constructor();
  instance = bar;  // only once the whole tree stands
  return instance;
}

void MenuBar1::ReleaseInstance() {
  SingleInstance() = nullptr;
}

void MenuBar1::Constructor() {
  Untitled0();
  Untitled1();
}

void MenuBar1::Untitled0() {
  BuildItem(*this, nullptr, "FileMenu", "&File", "");
  BuildItem<QuitMenuItem>(*this, "FileMenu", "FileQuit", "&Quit", "Cmd+Q");
}

void MenuBar1::Untitled1() {
  BuildItem(*this, nullptr, "EditMenu", "&Edit", "");
  BuildItem(*this, "EditMenu", "EditUndo", "&Undo", "Cmd+Z");
  BuildItem(*this, "EditMenu", "UntitledMenu1", "-", nullptr);
  BuildItem(*this, "EditMenu", "EditCut", "Cu&t", "Cmd+X");
  BuildItem(*this, "EditMenu", "EditCopy", "&Copy", "Cmd+C");
  BuildItem(*this, "EditMenu", "EditPaste", "&Paste", "Cmd+V");
  BuildItem(*this, "EditMenu", "EditClear", "&Delete", "");
  BuildItem(*this, "EditMenu", "UntitledMenu0", "-", nullptr);
  BuildItem(*this, "EditMenu", "EditSelectAll", "Select &All", "Cmd+A");
}
