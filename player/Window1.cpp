#include "player/Window1.h"

#include "app/MenuBar1.h"
#include "framework/Exceptions.h"
#include "framework/MenuItem.h"
#include "framework/Sound.h"

Window1::Window1() = default;

Window1::~Window1() {
  current = nullptr;
  alertSound.clear();
}

std::shared_ptr<Window1> Window1::Instance() {
  std::shared_ptr<Window> window = GetImplicitWindow("Window1.Window1");
  if (!window) {
    auto created = std::make_shared<Window1>();
    created->Constructor();
    window = created;
  }
  return Cast<Window1>(window);
}

void Window1::Layout() {
  MenuBar(MenuBar1::Instance());
  SetProperties(*this, {
                           {"Placement", 0},
                           {"Width", 800},
                           {"Height", 480},
                           {"MinWidth", 640},
                           {"MinHeight", 400},
                           {"MaxWidth", 32000},
                           {"MaxHeight", 32000},
                           {"Frame", 0},
                           {"Composite", false},
                           {"HasBackColor", false},
                           {"BackColor", Color::FromHex(0xFFFFFF)},
                           {"Title", std::string("Lumivox")},
                           {"Visible", true},
                           {"FullScreen", false},
                           {"MenuBarVisible", true},
                           {"CloseButton", true},
                           {"Resizeable", true},
                           {"LiveResize", true},
                           {"MaximizeButton", false},
                           {"MinimizeButton", true},
                           {"MacProcID", 0},
                       });
}

void Window1::CreateControls() {
  CreateControls0();
}

std::shared_ptr<MenuItem> Window1::MenuBarItem(const std::string& name) {
  return NilCheck(MenuBar())->Lookup(name);
}

std::shared_ptr<MenuItem> Window1::EditMenu() {
  return MenuBarItem("EditMenu");
}
std::shared_ptr<MenuItem> Window1::EditSelectAll() {
  return MenuBarItem("EditSelectAll");
}
std::shared_ptr<MenuItem> Window1::UntitledMenu0() {
  return MenuBarItem("UntitledMenu0");
}
std::shared_ptr<MenuItem> Window1::EditClear() {
  return MenuBarItem("EditClear");
}
std::shared_ptr<MenuItem> Window1::EditPaste() {
  return MenuBarItem("EditPaste");
}
std::shared_ptr<MenuItem> Window1::EditCopy() {
  return MenuBarItem("EditCopy");
}
std::shared_ptr<MenuItem> Window1::EditCut() {
  return MenuBarItem("EditCut");
}
std::shared_ptr<MenuItem> Window1::UntitledMenu1() {
  return MenuBarItem("UntitledMenu1");
}
std::shared_ptr<MenuItem> Window1::EditUndo() {
  return MenuBarItem("EditUndo");
}
std::shared_ptr<MenuItem> Window1::FileMenu() {
  return MenuBarItem("FileMenu");
}
std::shared_ptr<QuitMenuItem> Window1::FileQuit() {
  return Cast<QuitMenuItem>(MenuBarItem("FileQuit"));
}
