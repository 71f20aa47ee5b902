#include "framework/Dispatch.h"

#include "framework/Application.h"
#include "framework/EventLoop.h"
#include "framework/Exceptions.h"

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

// Used when the program installs no guarded call of its own.
std::exception_ptr DefaultHelper(GuardedFunction function, void* argument) {
  try {
    function(argument);
  } catch (const RuntimeException&) {
    return std::current_exception();
  }
  return nullptr;
}

}  // namespace

void RuntimeSetExceptionHelper(ExceptionHelper helper) {
  installedHelper = helper;
}

bool RuntimeCallGuarded(const std::function<void()>& call) {
  ExceptionHelper helper = installedHelper ? installedHelper : DefaultHelper;
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

bool RuntimeDispatch(const std::function<void()>& call) {
  if (RuntimeQuitRequested()) return false;
  return RuntimeCallGuarded(call);
}
