#include "core/pair_loader.h"

#include <thread>

namespace core {

PairLoad loadPair(LineFile& source, const std::string& sourcePath, LineFile& destination,
                  const std::string& destinationPath)
{
    PairLoad result;
    std::thread destinationReader([&] { result.destinationLoaded = destination.load(destinationPath); });
    result.sourceLoaded = source.load(sourcePath);
    destinationReader.join();
    return result;
}

} // namespace core
