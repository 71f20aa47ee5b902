#include "app/Main.h"

#include "app/App.h"
#include "app/MenuBar1.h"
#include "framework/Exceptions.h"
#include "framework/FrameworkTypes.h"
#include "framework/Runtime.h"
#include "framework/TypeRegistry.h"
#include "player/AlertSounds.h"
#include "player/Window1.h"
#include "player/Window1AlertButton.h"
#include "player/Window1Poller.h"

std::exception_ptr CallFunctionWithExceptionHandling(GuardedFunction function, void* argument) {
  try {
    function(argument);
  } catch (const RuntimeException&) {
    return std::current_exception();
  }
  return nullptr;
}

void InitFileTypes() {}

void NewAppInstance() {
  auto app = std::make_shared<App>();
  app->Constructor();
  std::shared_ptr<MenuBar1> bar = MenuBar1::Instance();
  app->MenuBar(bar);
  RuntimeRegisterAppObject(app);
}

void ApplicationAddMenuHandlers() {}

void MakeDefaultView() {
  Window1::Instance();
}

void Startup() {
  RuntimeInitExternalClasses();
  RuntimeLoadPlugin("BevelButton");
  InitFileTypes();
  NewAppInstance();
  ApplicationAddMenuHandlers();
  MakeDefaultView();
}

void Main(void (*startup)()) {
  try {
    RuntimeSetExceptionHelper(CallFunctionWithExceptionHandling);
    RunFrameworkInitialization(startup);
    RuntimeRun();
  } catch (...) {
    UnhandledException(std::current_exception());
  }
}

void RegisterProgramTypes() {
  RuntimeRegisterType<App>("App", "Application");
  RuntimeRegisterType<Window1>("Window1", "Window");
  RuntimeRegisterType<Window1AlertButton>("Window1.AlertButton", "BevelButton");
  RuntimeRegisterType<Window1Poller>("Window1.Poller", "Timer");
  RuntimeRegisterType<MenuBar1>("MenuBar1", "MenuBar");
}

void ReleaseProcessGlobals() {
  ReleaseAlertSounds();
  RuntimeReleaseGlobals();
  MenuBar1::ReleaseInstance();
}

int32_t LumivoxMain() {
  RuntimeInit();
  RuntimeInitFrameworkTypes();
  RegisterProgramTypes();
  Main();
  ReleaseProcessGlobals();
  return RuntimeExit();
}
