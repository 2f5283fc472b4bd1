#include "core/merge_report.h"

#include <ostream>

#include "core/atomic_file.h"
#include "core/line_file.h"
#include "core/merge_result_writer.h"
#include "core/report.h"

namespace core {

namespace {

constexpr const char* kInputNames[] = {"Base", "Local", "Remote"};

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
    LineFile inputs[3];
    for (std::size_t k = 0; k < 3; ++k) {
        if (!inputs[k].load(readablePath(options.files.at(k)), textOptions)) {
            err << loadProblemText(kInputNames[k], inputs[k]) << '\n';
            return kReportTrouble;
        }
    }
    const ThreeWayMerge merge(inputs[0], inputs[1], inputs[2], textOptions);
    const std::string result = resultInEncoding(
        MergeResultWriter(merge, mergeLabels(options), options.diff3 ? ConflictStyle::Diff3 : ConflictStyle::Merge)
            .write(),
        inputs[1].encoding());
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
