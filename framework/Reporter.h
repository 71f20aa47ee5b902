// The unhandled-exception reporter: one line on stderr per report, naming the exception's
// class and message. A run of identical reports is collapsed: the first is written at once,
// the repeats are counted, and one line with the count follows when the run ends.
#pragma once

#include <exception>
#include <iosfwd>
#include <string>

void ReportException(std::exception_ptr error);
// Writes the pending repeat count, if any (at shutdown, and before a different report).
void FlushReports();
// The one line that reports an exception, without the repeat count.
std::string DescribeException(std::exception_ptr error);
// Where reports go; stderr unless a test redirects them. Pass nullptr to restore stderr.
void SetReportStream(std::ostream* stream);
