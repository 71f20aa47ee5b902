#include "framework/EventLoop.h"

#include <QApplication>

namespace {

struct LoopState {
  bool running = false;
  bool quitRequested = false;
  int32_t quitCode = 0;
  int modalDepth = 0;
};

LoopState& State() {
  static LoopState state;
  return state;
}

}  // namespace

void RuntimeRunEventLoop() {
  LoopState& s = State();
  if (s.quitRequested) return;
  s.running = true;
  QApplication::exec();
  s.running = false;
  s.quitRequested = true;
}

void Quit(int32_t code) {
  LoopState& s = State();
  s.quitRequested = true;
  s.quitCode = code;
  if (s.running) QCoreApplication::exit(code);
}

bool RuntimeQuitRequested() {
  return State().quitRequested;
}

int32_t RuntimeQuitCode() {
  return State().quitCode;
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
