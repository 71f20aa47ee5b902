#include "framework/Runtime.h"

#include <QApplication>
#include <memory>

#include "framework/Application.h"
#include "framework/Dispatch.h"
#include "framework/EventLoop.h"
#include "framework/Exceptions.h"
#include "framework/TypeRegistry.h"
#include "framework/audio/AudioOutput.h"
#include "framework/qt/WindowRegistry.h"
#include "framework/runtime/Reporter.h"

namespace {

struct RuntimeState {
  std::unique_ptr<QApplication> qt;
  bool startupRan = false;
  bool failed = false;
};

RuntimeState& State() {
  static RuntimeState state;
  return state;
}

QtMessageHandler qtDefaultHandler = nullptr;

// Qt's own messages go to stderr as usual, but for one that the offscreen platform writes
// every time a window's size limits are set, which says nothing about the program.
void FilterQtMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text == QLatin1String("This plugin does not support propagateSizeHints()")) return;
  if (qtDefaultHandler) qtDefaultHandler(type, context, text);
}

}  // namespace

void RuntimeInit() {
  RuntimeState& s = State();
  if (s.qt) return;
  // The program reads no command line; Qt gets only a program name.
  static int argc = 1;
  static char name[] = "Lumivox";
  static char* argv[] = {name, nullptr};
  qtDefaultHandler = qInstallMessageHandler(FilterQtMessages);
  s.qt = std::make_unique<QApplication>(argc, argv);
  // The window registry decides (Window::Closing).
  QApplication::setQuitOnLastWindowClosed(false);
  QObject::connect(s.qt.get(), &QGuiApplication::applicationStateChanged,
                   [](Qt::ApplicationState state) {
                     auto app = RuntimeApplication();
                     if (!app) return;
                     if (state == Qt::ApplicationActive) {
                       RuntimeDispatch([app] { app->Activate(); });
                     } else if (state == Qt::ApplicationInactive) {
                       RuntimeDispatch([app] { app->Deactivate(); });
                     }
                   });
}

bool RuntimeIsInitialized() {
  return State().qt != nullptr;
}

int32_t RuntimeExit() {
  RuntimeState& s = State();
  AudioOutputShutdown();
  FlushReports();
  WindowRegistryClear();
  RuntimeRegisterAppObject(nullptr);
  s.qt.reset();
  return s.failed ? 1 : RuntimeQuitCode();
}

void RunFrameworkInitialization(void (*startup)()) {
  RuntimeState& s = State();
  if (s.startupRan) return;
  s.startupRan = true;
  startup();
  if (auto app = RuntimeApplication(); app && !RuntimeQuitRequested()) {
    RuntimeDispatch([app] { app->Open(); });
  }
}

void RuntimeRun() {
  if (!RuntimeIsInitialized()) throw RuntimeException("the runtime is not initialised");
  RuntimeRunEventLoop();
  // Close is raised after the loop; the dispatch point refuses calls once the application
  // quits, so this one goes through the guarded call and the policy directly.
  if (auto app = RuntimeApplication()) RuntimeCallGuarded([app] { app->Close(); });
}

void UnhandledException(std::exception_ptr exception) {
  State().failed = true;
  ReportException(exception);
}

void RuntimeInitExternalClasses() {
  // This platform has no external classes to bind; the step exists so that start-up keeps
  // its order when one is added.
}

void RuntimeReleaseGlobals() {
  WindowRegistryClear();
  RuntimeClearTypes();
}
