#include "core/pair_loader.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <optional>
#include <system_error>
#include <thread>

#include "core/path_parts.h"

namespace core {

namespace {

// Below this size of the smaller file a second thread costs more than it saves.
constexpr std::uintmax_t kParallelReadSize = 256u << 10;

// None for a pipe, whose length is not known before it is read.
std::optional<std::uintmax_t> regularFileSize(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    return error ? std::nullopt : std::optional(size);
}

} // namespace

PairLoad loadPair(LineFile& source, const std::string& sourcePath, LineFile& target,
                  const std::string& targetPath, const TextOptions& options, WorkProgress* progress)
{
    const std::optional<std::uintmax_t> sourceSize = regularFileSize(sourcePath);
    const std::optional<std::uintmax_t> targetSize = regularFileSize(targetPath);
    if (progress != nullptr) {
        progress->startPhase(WorkProgress::Phase::Reading,
                             fileNameOf(sourcePath) + " and " + fileNameOf(targetPath),
                             sourceSize && targetSize ? *sourceSize + *targetSize : 0);
    }
    PairLoad result;
    if (std::min(sourceSize.value_or(0), targetSize.value_or(0)) < kParallelReadSize) {
        result.sourceLoaded = source.load(sourcePath, options, progress);
        result.targetLoaded = target.load(targetPath, options, progress);
        return result;
    }
    std::exception_ptr targetFailure;
    std::thread targetReader([&] {
        try {
            result.targetLoaded = target.load(targetPath, options, progress);
        } catch (...) {
            targetFailure = std::current_exception();
        }
    });
    std::exception_ptr sourceFailure;
    try {
        result.sourceLoaded = source.load(sourcePath, options, progress);
    } catch (...) {
        sourceFailure = std::current_exception();
        // The other reader need not finish a load that is thrown away.
        if (progress != nullptr)
            progress->cancel();
    }
    targetReader.join();
    for (const std::exception_ptr& failure : { sourceFailure, targetFailure }) {
        if (failure)
            std::rethrow_exception(failure);
    }
    return result;
}

} // namespace core
