// The life of the process: start-up, the event loop, the releases at the end.
#pragma once

#include <cstdint>
#include <exception>

#include "framework/Dispatch.h"

// The process's whole life; gives the exit status.
int32_t LumivoxMain();
void Startup();
// The main routine: installs the guarded call, runs the start-up routine and the event
// loop, and reports whatever escapes them.
void Main(void (*startup)() = Startup);
void InitFileTypes();
void NewAppInstance();
void ApplicationAddMenuHandlers();
void MakeDefaultView();
void RegisterProgramTypes();
void ReleaseProcessGlobals();

// The guarded call handed to the framework.
std::exception_ptr CallFunctionWithExceptionHandling(GuardedFunction function, void* argument);
