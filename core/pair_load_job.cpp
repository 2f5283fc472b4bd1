#include "core/pair_load_job.h"

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
    outcome = runLoad(
        [this] {
            loaded = loadPair(source, sourcePath, target, targetPath, options, &progress);
            if (!loaded.sourceLoaded || !loaded.targetLoaded)
                return LoadOutcome::NotLoaded;
            result = compareFiles(source, target, options, &progress);
            return LoadOutcome::Opened;
        },
        // What was read is of no use; its memory goes now rather than with the job.
        [this] {
            source = LineFile();
            target = LineFile();
            result = CompareResult();
        });
}

} // namespace core
