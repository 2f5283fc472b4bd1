#pragma once

#include <iosfwd>

#include "core/merge_result_writer.h"
#include "core/report_options.h"
#include "core/text_options.h"

namespace core {

// bivalo --report --merge: merges options.files (BASE, LOCAL, REMOTE) and writes the result to
// options.output (replaced atomically) or out. Returns 0 without conflicts, 1 with some, 2 on
// trouble (told on err).
// git's labels: those given with -L (LOCAL, BASE, REMOTE), else the names of the files.
MergeLabels mergeLabels(const ReportOptions& options);

int runMerge(const ReportOptions& options, const TextOptions& textOptions, std::ostream& out, std::ostream& err);

} // namespace core
