// The application object: the framework holds the one registered instance for the life of
// the process (RuntimeRegisterAppObject, until RuntimeExit).
#pragma once

#include <exception>
#include <memory>

#include "framework/Object.h"

class MenuBar;
class FolderItem;
class RuntimeException;

class Application : public Object {
 public:
  Application();
  ~Application() override;

  std::shared_ptr<class MenuBar> MenuBar() const { return menuBar_; }
  void MenuBar(std::shared_ptr<class MenuBar> bar) { menuBar_ = std::move(bar); }

  // The application's events. The defaults do nothing; an application class implements the
  // ones it needs. Open is raised once the start-up has run, Close when the event loop has
  // ended, Activate and Deactivate when the application gains or loses the focus,
  // EnableMenuItems before a menu is shown, CancelClose before a quit from the menu (true
  // keeps the application running). UnhandledException is offered every exception that
  // escapes an event handler; true means it was handled. This platform opens no documents
  // and delivers no system events, so NewDocument, OpenDocument and HandleAppleEvent are
  // never raised.
  virtual void Open() {}
  virtual void Close() {}
  virtual void EnableMenuItems() {}
  virtual void NewDocument() {}
  virtual void OpenDocument(std::shared_ptr<FolderItem> /*item*/) {}
  virtual bool HandleAppleEvent() { return false; }
  virtual void Activate() {}
  virtual void Deactivate() {}
  virtual bool UnhandledException(const RuntimeException& /*error*/) { return false; }
  virtual bool CancelClose() { return false; }

  // The policy for an exception that escaped an event handler: EndException and
  // ThreadEndException are dropped without a word; any other RuntimeException is offered to
  // UnhandledException and, unless that returns true, reported. Exceptions of other classes
  // are reported. Never throws.
  void ApplyExceptionPolicy(std::exception_ptr error);

 private:
  std::shared_ptr<class MenuBar> menuBar_;
};

// The application object of the process: registered by the program's start-up, offered every
// exception that escapes an event handler, and asked for its events. Null before it is
// registered, and after RuntimeExit.
void RuntimeRegisterAppObject(std::shared_ptr<Application> app);
std::shared_ptr<Application> RuntimeApplication();
