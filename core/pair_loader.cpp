#include "core/pair_loader.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <thread>

namespace core {

namespace {

// Below this size of the smaller file a second thread costs more than it saves.
constexpr std::uintmax_t kParallelReadSize = 256u << 10;

std::uintmax_t sizeOrZero(const std::string& path)
{
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    return error ? 0 : size;
}

} // namespace

PairLoad loadPair(LineFile& source, const std::string& sourcePath, LineFile& destination,
                  const std::string& destinationPath, const TextOptions& options)
{
    PairLoad result;
    if (std::min(sizeOrZero(sourcePath), sizeOrZero(destinationPath)) < kParallelReadSize) {
        result.sourceLoaded = source.load(sourcePath, options);
        result.destinationLoaded = destination.load(destinationPath, options);
        return result;
    }
    std::thread destinationReader([&] { result.destinationLoaded = destination.load(destinationPath, options); });
    result.sourceLoaded = source.load(sourcePath, options);
    destinationReader.join();
    return result;
}

} // namespace core
