#include "framework/Runtime.h"

#include <QApplication>
#include <map>
#include <set>

#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/audio/AudioOutput.h"
#include "framework/qt/WindowRegistry.h"
#include "framework/runtime/Reporter.h"

namespace {

struct RuntimeState {
  std::unique_ptr<QApplication> qt;
  ExceptionHelper helper = nullptr;
  bool startupRan = false;
  bool loopRunning = false;
  bool quitRequested = false;
  int32_t quitCode = 0;
  bool failed = false;
  int modalDepth = 0;
  std::shared_ptr<Application> app;
  std::set<std::string> plugins;
  std::vector<std::pair<std::string, std::string>> types;  // name, base
  std::map<std::type_index, std::string> typeNames;
};

RuntimeState& State() {
  static RuntimeState state;
  return state;
}

// Used when the program installs no guarded call of its own.
std::exception_ptr DefaultHelper(GuardedFunction function, void* argument) {
  try {
    function(argument);
  } catch (const RuntimeException&) {
    return std::current_exception();
  }
  return nullptr;
}

QtMessageHandler qtDefaultHandler = nullptr;

// Qt's own messages go to stderr as usual, but for one that the offscreen platform writes
// every time a window's size limits are set, which says nothing about the program.
void FilterQtMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text == QLatin1String("This plugin does not support propagateSizeHints()")) return;
  if (qtDefaultHandler) qtDefaultHandler(type, context, text);
}

void CallStdFunction(void* argument) {
  (*static_cast<const std::function<void()>*>(argument))();
}

// The application's exception policy, or the reporter when there is no application yet.
void ApplyPolicy(std::exception_ptr error) {
  if (State().app) {
    State().app->ApplyExceptionPolicy(error);
  } else {
    Application fallback;
    fallback.ApplyExceptionPolicy(error);
  }
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
  QApplication::setQuitOnLastWindowClosed(false);  // the window registry decides (Window.cpp)
  QObject::connect(s.qt.get(), &QGuiApplication::applicationStateChanged,
                   [](Qt::ApplicationState state) {
                     auto app = State().app;
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
  s.app.reset();
  s.qt.reset();
  return s.failed ? 1 : s.quitCode;
}

void RuntimeSetExceptionHelper(ExceptionHelper helper) {
  State().helper = helper;
}

void RunFrameworkInitialization(void (*startup)()) {
  RuntimeState& s = State();
  if (s.startupRan) return;
  s.startupRan = true;
  startup();
  if (s.app && !s.quitRequested) RuntimeDispatch([app = s.app] { app->Open(); });
}

void RuntimeRun() {
  RuntimeState& s = State();
  if (!s.qt) throw RuntimeException("the runtime is not initialised");
  if (!s.quitRequested) {
    s.loopRunning = true;
    QApplication::exec();
    s.loopRunning = false;
    s.quitRequested = true;
  }
  if (s.app) {
    // Close is raised after the loop; the dispatch point refuses calls once the application
    // quits, so call through the policy directly.
    auto app = s.app;
    std::function<void()> call = [app] { app->Close(); };
    ExceptionHelper helper = s.helper ? s.helper : DefaultHelper;
    try {
      if (auto error = helper(CallStdFunction, &call)) ApplyPolicy(error);
    } catch (...) {
      ApplyPolicy(std::current_exception());
    }
  }
}

void UnhandledException(std::exception_ptr exception) {
  State().failed = true;
  ReportException(exception);
}

void RuntimeRegisterAppObject(std::shared_ptr<Application> app) {
  State().app = std::move(app);
}

std::shared_ptr<Application> RuntimeApplication() {
  return State().app;
}

void RuntimeInitExternalClasses() {
  // This platform has no external classes to bind; the step exists so that start-up keeps
  // its order when one is added.
}

void RuntimeLoadPlugin(const std::string& className) {
  State().plugins.insert(className);
}

bool RuntimePluginLoaded(const std::string& className) {
  return State().plugins.count(className) != 0;
}

void RuntimeRegisterType(const std::string& name, std::type_index type, const std::string& base) {
  State().types.emplace_back(name, base);
  State().typeNames.insert_or_assign(type, name);
}

std::string RuntimeTypeName(std::type_index type) {
  auto it = State().typeNames.find(type);
  return it == State().typeNames.end() ? std::string() : it->second;
}

std::vector<std::string> RuntimeTypeNames() {
  std::vector<std::string> names;
  for (const auto& [name, base] : State().types) names.push_back(name);
  return names;
}

void RuntimeReleaseGlobals() {
  WindowRegistryClear();
  State().types.clear();
  State().typeNames.clear();
}

void Quit(int32_t code) {
  RuntimeState& s = State();
  s.quitRequested = true;
  s.quitCode = code;
  if (s.loopRunning) QCoreApplication::exit(code);
}

bool RuntimeQuitRequested() {
  return State().quitRequested;
}

bool RuntimeDispatch(const std::function<void()>& call) {
  RuntimeState& s = State();
  if (s.quitRequested) return false;
  ExceptionHelper helper = s.helper ? s.helper : DefaultHelper;
  std::exception_ptr error;
  try {
    error = helper(CallStdFunction, const_cast<std::function<void()>*>(&call));
  } catch (...) {
    error = std::current_exception();  // not a RuntimeException: still never crosses Qt
  }
  if (!error) return true;
  ApplyPolicy(error);
  return false;
}

void RuntimeBeginModal() {
  ++State().modalDepth;
}
void RuntimeEndModal() {
  --State().modalDepth;
}
bool RuntimeModalActive() {
  return State().modalDepth > 0;
}
