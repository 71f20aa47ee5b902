#include "framework/Application.h"

#include "framework/Exceptions.h"
#include "framework/MenuItem.h"
#include "framework/runtime/Reporter.h"

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
