// The framework's lines on stderr: one per unhandled exception (naming its class and message),
// and one per problem the framework meets on its own (a folder it cannot read, a sound it
// cannot play, the sound device). A run of identical lines is collapsed: the first is written
// at once, the repeats are counted, and one line with the count follows when the run ends.
// Safe from any thread: the audio threads report here too.
#pragma once

#include <exception>
#include <iosfwd>
#include <string>

void ReportException(std::exception_ptr error);
// One line about a problem; a file's name in it must have gone through PrintablePath.
void ReportProblem(const std::string& line);
// Writes the pending repeat count, if any (at shutdown, and before a different report).
void FlushReports();
// Where exception reports go; stderr unless a test redirects them. Pass nullptr to restore
// stderr. Problems always go to stderr.
void SetReportStream(std::ostream* stream);
