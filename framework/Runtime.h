// The framework's runtime: start and shutdown, the guarded call through which program code
// runs, the event loop, the application object and the unhandled-exception reporter.
// Everything here runs on the thread that called RuntimeInit.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <typeindex>
#include <vector>

class Application;

// A function and its one pointer-sized argument, as the guarded call takes them.
using GuardedFunction = void (*)(void* argument);
// The guarded call: runs the function and gives null when it returns, or the exception when
// it raises a RuntimeException; any other exception passes on to the caller.
using ExceptionHelper = std::exception_ptr (*)(GuardedFunction function, void* argument);

// First and last calls of the process. RuntimeExit gives the exit status: the code given to
// Quit, or 1 when an exception escaped the main routine and was reported.
void RuntimeInit();
int32_t RuntimeExit();
bool RuntimeIsInitialized();

void RuntimeSetExceptionHelper(ExceptionHelper helper);
// Runs the start-up routine, once per process; what it raises passes to the caller.
void RunFrameworkInitialization(void (*startup)());
// Handles events until the application quits; returns at once when a quit was requested
// before it was called.
void RuntimeRun();
// Reports an exception that escaped the main routine: one line on stderr. Marks the run as
// failed, so RuntimeExit gives 1.
void UnhandledException(std::exception_ptr exception);

void RuntimeRegisterAppObject(std::shared_ptr<Application> app);
std::shared_ptr<Application> RuntimeApplication();
void RuntimeInitExternalClasses();
// Makes a plug-in control class usable; creating one before this raises RuntimeException.
void RuntimeLoadPlugin(const std::string& className);
bool RuntimePluginLoaded(const std::string& className);

// Type information: every class the runtime knows, the framework's own first (registered by
// RuntimeInitFrameworkTypes) and then the program's, each with its base class's name.
void RuntimeInitFrameworkTypes();
void RuntimeRegisterType(const std::string& name, std::type_index type, const std::string& base);
template <typename T>
void RuntimeRegisterType(const std::string& name, const std::string& base) {
  RuntimeRegisterType(name, std::type_index(typeid(T)), base);
}
// The registered name of an object's class; empty when the class is not registered.
std::string RuntimeTypeName(std::type_index type);
std::vector<std::string> RuntimeTypeNames();

// Drops the framework's own process-wide references: its window lists, its list of
// single-instance windows and its type-information maps.
void RuntimeReleaseGlobals();

// Requests the end of the application with an exit code. Returns; the event loop ends (or,
// before it runs, RuntimeRun returns at once) and no further control event is raised.
void Quit(int32_t code = 0);
bool RuntimeQuitRequested();

// The dispatch point through which every control event, menu command and timer tick reaches
// program code: runs it through the guarded call and applies the application's exception
// policy. Never lets an exception through. Returns false when the call did not complete
// (an exception, or the application quitting).
bool RuntimeDispatch(const std::function<void()>& call);

// Modal sessions (dialogs): while one is open, timers raise no Action.
void RuntimeBeginModal();
void RuntimeEndModal();
bool RuntimeModalActive();
