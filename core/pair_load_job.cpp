#include "core/pair_load_job.h"

#include <filesystem>
#include <new>
#include <system_error>

namespace core {

namespace {

bool isSmallFile(const std::string& path, std::uint64_t& bytes)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return error.value() == static_cast<int>(std::errc::no_such_file_or_directory);
    bytes += std::filesystem::file_size(path, error);
    return !error;
}

} // namespace

PairLoadJob::PairLoadJob(std::string sourcePathIn, std::string targetPathIn, const TextOptions& optionsIn)
    : sourcePath(std::move(sourcePathIn)), targetPath(std::move(targetPathIn)), options(optionsIn)
{
}

bool PairLoadJob::isQuick() const
{
    std::uint64_t bytes = 0;
    return isSmallFile(sourcePath, bytes) && isSmallFile(targetPath, bytes) && bytes < kQuickBytes;
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
