// The event loop: running it, ending it, and the modal sessions that hold timers back.
// Program's thread only.
#pragma once

#include <cstdint>

// Handles events until the application quits; returns at once when a quit was requested
// before it was called. RuntimeRun runs it and then raises the application's Close.
void RuntimeRunEventLoop();

// Requests the end of the application with an exit code. Returns; the event loop ends (or,
// before it runs, RuntimeRun returns at once) and no further control event is raised.
void Quit(int32_t code = 0);
bool RuntimeQuitRequested();
// The code given to the last Quit; 0 when there was none.
int32_t RuntimeQuitCode();

// Modal sessions (dialogs): while one is open, timers raise no Action.
void RuntimeBeginModal();
void RuntimeEndModal();
bool RuntimeModalActive();
