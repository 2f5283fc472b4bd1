#include "core/pair_load_job.h"

#include <new>

namespace core {

PairLoadJob::PairLoadJob(std::string sourcePathIn, std::string targetPathIn, const TextOptions& optionsIn)
    : sourcePath(std::move(sourcePathIn)), targetPath(std::move(targetPathIn)), options(optionsIn)
{
}

bool PairLoadJob::isQuick() const
{
    return quickToLoad({sourcePath, targetPath});
}

void PairLoadJob::run()
{
    try {
        loaded = loadPair(source, sourcePath, target, targetPath, options, &progress);
        if (!loaded.sourceLoaded || !loaded.targetLoaded) {
            outcome = LoadOutcome::NotLoaded;
            return;
        }
        result = compareFiles(source, target, options, &progress);
        outcome = LoadOutcome::Opened;
    } catch (const WorkCancelled&) {
        outcome = LoadOutcome::Cancelled;
    } catch (const std::bad_alloc&) {
        outcome = LoadOutcome::OutOfMemory;
    }
    if (outcome != LoadOutcome::Opened && outcome != LoadOutcome::NotLoaded) {
        // What was read is of no use; its memory goes now rather than with the job.
        source = LineFile();
        target = LineFile();
        result = CompareResult();
    }
}

} // namespace core
