// The dispatch point through which every control event, menu command and timer tick reaches
// program code, and the guarded call that it runs them through. The guarded call is the
// program's own (its main routine installs it); the dispatch point applies the application's
// exception policy to what the guarded call gives back. No exception ever crosses it into Qt.
// Program's thread only.
#pragma once

#include <exception>
#include <functional>

// A function and its one pointer-sized argument, as the guarded call takes them.
using GuardedFunction = void (*)(void* argument);
// The guarded call: runs the function and gives null when it returns, or the exception when
// it raises a RuntimeException; any other exception passes on to the caller.
using ExceptionHelper = std::exception_ptr (*)(GuardedFunction function, void* argument);

// Installs the guarded call (null uninstalls it). Until one is installed the dispatch point
// runs no program code: it drops each call, and says so once on stderr.
void RuntimeSetExceptionHelper(ExceptionHelper helper);

// Runs program code through the guarded call and applies the application's exception policy
// to what escapes it. Returns false when the call did not complete: it raised, it was dropped,
// or the application has quit (after Quit, no further control event is raised).
bool RuntimeDispatch(const std::function<void()>& call);
// As RuntimeDispatch, also once the application has quit: for the application's Close, which
// is raised after the event loop has ended.
bool RuntimeCallGuarded(const std::function<void()>& call);
