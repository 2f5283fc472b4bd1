#include "core/merge_load_job.h"

#include "core/report.h"

namespace core {

MergeLoadJob::MergeLoadJob(MergeFiles filesIn, const TextOptions& optionsIn)
    : files(std::move(filesIn)), options(optionsIn)
{
}

bool MergeLoadJob::isQuick() const
{
    return quickToLoad({files.base, files.local, files.remote});
}

void MergeLoadJob::run()
{
    outcome = runLoad(
        [this] {
            FileToLoad inputs[] = {{base, files.base}, {local, files.local}, {remote, files.remote}};
            loadFiles(inputs, options, &progress);
            if (!base.loaded() || !local.loaded() || !remote.loaded())
                return LoadOutcome::NotLoaded;
            session = std::make_unique<MergeSession>(base, local, remote, options, &progress);
            return LoadOutcome::Opened;
        },
        // What was read is of no use; its memory goes now rather than with the job.
        [this] {
            session.reset();
            base = LineFile();
            local = LineFile();
            remote = LineFile();
        });
}

std::string MergeLoadJob::readProblem() const
{
    const std::pair<const LineFile*, const char*> inputs[] = {
        {&base, "Base"}, {&local, "Local"}, {&remote, "Remote"}};
    for (const auto& [file, name] : inputs) {
        if (!file->loaded())
            return loadProblemText(name, *file);
    }
    return {};
}

} // namespace core
