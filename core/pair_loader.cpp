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

PairLoad loadPair(LineFile& source, const std::string& sourcePath, LineFile& destination,
                  const std::string& destinationPath, const TextOptions& options, WorkProgress* progress)
{
    const std::optional<std::uintmax_t> sourceSize = regularFileSize(sourcePath);
    const std::optional<std::uintmax_t> destinationSize = regularFileSize(destinationPath);
    if (progress != nullptr) {
        progress->startPhase(WorkProgress::Phase::Reading,
                             fileNameOf(sourcePath) + " and " + fileNameOf(destinationPath),
                             sourceSize && destinationSize ? *sourceSize + *destinationSize : 0);
    }
    PairLoad result;
    if (std::min(sourceSize.value_or(0), destinationSize.value_or(0)) < kParallelReadSize) {
        result.sourceLoaded = source.load(sourcePath, options, progress);
        result.destinationLoaded = destination.load(destinationPath, options, progress);
        return result;
    }
    std::exception_ptr destinationFailure;
    std::thread destinationReader([&] {
        try {
            result.destinationLoaded = destination.load(destinationPath, options, progress);
        } catch (...) {
            destinationFailure = std::current_exception();
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
    destinationReader.join();
    for (const std::exception_ptr& failure : { sourceFailure, destinationFailure }) {
        if (failure)
            std::rethrow_exception(failure);
    }
    return result;
}

} // namespace core
