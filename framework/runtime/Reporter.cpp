// Threads: any thread reports here (the audio output's feeder thread among them); one mutex
// guards everything, and the state is never destroyed, so a report at exit is still safe.
#include "framework/runtime/Reporter.h"

#include <iostream>
#include <mutex>

#include "framework/Exceptions.h"

namespace {

// One run of lines to collapse: the last line written and how often it came again since.
struct Channel {
  std::string last;
  long repeats = 0;
};

struct ReporterState {
  std::mutex mutex;
  // All below under mutex.
  std::ostream* exceptionStream = nullptr;  // null: stderr
  Channel exceptions;
  Channel problems;  // always on stderr
};

ReporterState& State() {
  // Never destroyed: an audio thread may still report while static objects go away at exit.
  static ReporterState* state = new ReporterState;
  return *state;
}

void FlushLocked(Channel& channel, std::ostream& out) {
  if (channel.repeats > 0) {
    out << channel.last << " (repeated " << channel.repeats << " more time"
        << (channel.repeats == 1 ? "" : "s") << ")" << std::endl;
  }
  channel.repeats = 0;
}

void WriteLocked(Channel& channel, std::ostream& out, const std::string& line) {
  if (line == channel.last) {
    ++channel.repeats;
    return;
  }
  FlushLocked(channel, out);
  channel.last = line;
  out << line << std::endl;
}

std::ostream& ExceptionStreamLocked(ReporterState& s) {
  return s.exceptionStream ? *s.exceptionStream : std::cerr;
}

// The one line that reports an exception, without the repeat count.
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

}  // namespace

void FlushReports() {
  ReporterState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  FlushLocked(s.exceptions, ExceptionStreamLocked(s));
  FlushLocked(s.problems, std::cerr);
}

void ReportException(std::exception_ptr error) {
  const std::string line = DescribeException(error);
  ReporterState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  WriteLocked(s.exceptions, ExceptionStreamLocked(s), line);
}

void ReportProblem(const std::string& line) {
  ReporterState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  WriteLocked(s.problems, std::cerr, line);
}

void SetReportStream(std::ostream* stream) {
  ReporterState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  FlushLocked(s.exceptions, ExceptionStreamLocked(s));
  s.exceptionStream = stream;
  s.exceptions.last.clear();
}
