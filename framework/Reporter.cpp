#include "framework/Reporter.h"

#include <iostream>

#include "framework/Exceptions.h"

namespace {

struct ReporterState {
  std::ostream* stream = nullptr;
  std::string last;
  long repeats = 0;
};

ReporterState& State() {
  static ReporterState state;
  return state;
}

std::ostream& Out() {
  return State().stream ? *State().stream : std::cerr;
}

}  // namespace

std::string DescribeException(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const RuntimeException& e) {
    std::string line = std::string("Unhandled ") + e.ClassName();
    if (*e.what()) line += std::string(": ") + e.what();
    return line;
  } catch (const std::exception& e) {
    return std::string("Unhandled C++ exception: ") + e.what();
  } catch (...) {
    return "Unhandled exception of an unknown type";
  }
}

void FlushReports() {
  ReporterState& s = State();
  if (s.repeats > 0) {
    Out() << s.last << " (repeated " << s.repeats << " more time" << (s.repeats == 1 ? "" : "s")
          << ")" << std::endl;
  }
  s.repeats = 0;
}

void ReportException(std::exception_ptr error) {
  ReporterState& s = State();
  std::string line = DescribeException(error);
  if (line == s.last) {
    ++s.repeats;
    return;
  }
  FlushReports();
  s.last = line;
  Out() << line << std::endl;
}

void SetReportStream(std::ostream* stream) {
  FlushReports();
  State().stream = stream;
  State().last.clear();
}
