#include "core/merge_report.h"

#include <optional>
#include <ostream>

#include "core/atomic_file.h"
#include "core/merge_load_job.h"
#include "core/merge_result_writer.h"
#include "core/progress_line.h"
#include "core/report.h"

namespace core {

namespace {

bool writeOutput(const std::string& path, const std::string& bytes)
{
    AtomicFile file(path);
    return file.open() && file.write(bytes) && file.commit();
}

} // namespace

MergeLabels mergeLabels(const ReportOptions& options)
{
    auto label = [&](std::size_t given, std::size_t file) {
        return given < options.labels.size() ? options.labels[given] : options.files[file];
    };
    return {.local = label(0, 1), .base = label(1, 0), .remote = label(2, 2)};
}

int runMerge(const ReportOptions& options, const TextOptions& textOptions, std::ostream& out, std::ostream& err)
{
    MergeLoadJob job({.base = readablePath(options.files.at(0)),
                      .local = readablePath(options.files.at(1)),
                      .remote = readablePath(options.files.at(2)),
                      .output = options.output.value_or("")},
                     textOptions);
    {
        std::optional<ProgressLine> progressLine;
        if (options.errIsTerminal)
            progressLine.emplace(err, job.progress);
        job.run();
    }
    if (job.outcome == LoadOutcome::OutOfMemory) {
        err << "Not enough memory to merge these files.\n";
        return kReportTrouble;
    }
    if (job.outcome == LoadOutcome::NotLoaded) {
        err << job.readProblem() << '\n';
        return kReportTrouble;
    }
    const ThreeWayMerge& merge = job.session->merge();
    const std::string result = resultInEncoding(
        MergeResultWriter(merge, mergeLabels(options), options.diff3 ? ConflictStyle::Diff3 : ConflictStyle::Merge)
            .write(),
        job.local.encoding());
    if (options.output) {
        if (!writeOutput(*options.output, result)) {
            err << "The merge could not be written: " << *options.output << '\n';
            return kReportTrouble;
        }
    } else if (!out.write(result.data(), static_cast<std::streamsize>(result.size())).flush()) {
        err << "The merge could not be written.\n";
        return kReportTrouble;
    }
    return merge.conflicts() > 0 ? kReportDifferent : kReportSame;
}

} // namespace core
