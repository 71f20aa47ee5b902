#include "framework/FrameworkTypes.h"

#include "framework/Application.h"
#include "framework/BevelButton.h"
#include "framework/FolderItem.h"
#include "framework/Graphics.h"
#include "framework/Label.h"
#include "framework/Listbox.h"
#include "framework/MenuItem.h"
#include "framework/SelectFolderDialog.h"
#include "framework/Sound.h"
#include "framework/Timer.h"
#include "framework/TypeRegistry.h"
#include "framework/Window.h"

void RuntimeInitFrameworkTypes() {
  RuntimeRegisterType<Object>("Object", "");
  RuntimeRegisterType<Application>("Application", "Object");
  RuntimeRegisterType<Window>("Window", "Object");
  RuntimeRegisterType<Control>("Control", "Object");
  RuntimeRegisterType<RectControl>("RectControl", "Control");
  RuntimeRegisterType<Listbox>("Listbox", "RectControl");
  RuntimeRegisterType<Label>("Label", "RectControl");
  RuntimeRegisterType<BevelButton>("BevelButton", "RectControl");
  RuntimeRegisterType<Timer>("Timer", "Object");
  RuntimeRegisterType<Graphics>("Graphics", "Object");
  RuntimeRegisterType<MenuItem>("MenuItem", "Object");
  RuntimeRegisterType<MenuBar>("MenuBar", "MenuItem");
  RuntimeRegisterType<QuitMenuItem>("QuitMenuItem", "MenuItem");
  RuntimeRegisterType<FolderItem>("FolderItem", "Object");
  RuntimeRegisterType<SelectFolderDialog>("SelectFolderDialog", "Object");
  RuntimeRegisterType<Sound>("Sound", "Object");
}
