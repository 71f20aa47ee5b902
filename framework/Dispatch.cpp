#include "framework/Dispatch.h"

#include "framework/Application.h"
#include "framework/EventLoop.h"
#include "framework/runtime/Reporter.h"

namespace {

ExceptionHelper installedHelper = nullptr;

void CallStdFunction(void* argument) {
  (*static_cast<const std::function<void()>*>(argument))();
}

// The application's exception policy, or the reporter when there is no application yet.
void ApplyPolicy(std::exception_ptr error) {
  if (auto app = RuntimeApplication()) {
    app->ApplyExceptionPolicy(error);
  } else {
    Application fallback;
    fallback.ApplyExceptionPolicy(error);
  }
}

// Program code runs only through the program's guarded call; without one it does not run.
void ReportMissingHelper() {
  static bool told = false;
  if (told) return;
  told = true;
  ReportProblem("Runtime: no exception helper is installed; events are dropped");
}

}  // namespace

void RuntimeSetExceptionHelper(ExceptionHelper helper) {
  installedHelper = helper;
}

bool RuntimeCallGuarded(const std::function<void()>& call) {
  if (!installedHelper) {
    ReportMissingHelper();
    return false;
  }
  std::exception_ptr error;
  try {
    error = installedHelper(CallStdFunction, const_cast<std::function<void()>*>(&call));
  } catch (...) {
    error = std::current_exception();  // not a RuntimeException: still never crosses Qt
  }
  if (!error) return true;
  ApplyPolicy(error);
  return false;
}

bool RuntimeDispatch(const std::function<void()>& call) {
  if (RuntimeQuitRequested()) return false;
  return RuntimeCallGuarded(call);
}
