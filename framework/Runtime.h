// The framework's start and end: the first and last calls of the process, the start-up
// routine, the run of the event loop and the releases at the end. Everything here runs on the
// thread that called RuntimeInit, the program's thread.
#pragma once

#include <cstdint>
#include <exception>

// First and last calls of the process. RuntimeExit gives the exit status: the code given to
// Quit, or 1 when an exception escaped the main routine and was reported.
void RuntimeInit();
int32_t RuntimeExit();
bool RuntimeIsInitialized();

// Runs the start-up routine, once per process; what it raises passes to the caller. The
// application's Open follows, unless the start-up quit.
void RunFrameworkInitialization(void (*startup)());
// Handles events until the application quits (returns at once when a quit was requested
// before it was called), then raises the application's Close.
void RuntimeRun();
// Reports an exception that escaped the main routine: one line on stderr. Marks the run as
// failed, so RuntimeExit gives 1.
void UnhandledException(std::exception_ptr exception);

void RuntimeInitExternalClasses();

// Drops the framework's own process-wide references: its window lists, its list of
// single-instance windows and its type-information maps.
void RuntimeReleaseGlobals();
