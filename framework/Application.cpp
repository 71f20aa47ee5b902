#include "framework/Application.h"

#include "framework/Exceptions.h"
#include "framework/MenuItem.h"
#include "framework/runtime/Reporter.h"

namespace {

std::shared_ptr<Application>& RegisteredApp() {
  static std::shared_ptr<Application> app;
  return app;
}

}  // namespace

Application::Application() = default;
Application::~Application() = default;

void Application::ApplyExceptionPolicy(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const EndException&) {
  } catch (const ThreadEndException&) {
  } catch (const RuntimeException& e) {
    bool handled = false;
    try {
      handled = UnhandledException(e);
    } catch (...) {
      ReportException(std::current_exception());
    }
    if (!handled) ReportException(error);
  } catch (...) {
    ReportException(error);
  }
}

void RuntimeRegisterAppObject(std::shared_ptr<Application> app) {
  RegisteredApp() = std::move(app);
}

std::shared_ptr<Application> RuntimeApplication() {
  return RegisteredApp();
}
