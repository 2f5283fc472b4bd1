// Loads one input cut into two files, compares them and checks the rows and the saved bytes.
#include <cstddef>
#include <cstdint>

#include "fuzz/support/fuzz_pair.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const fuzz::FuzzInput input = fuzz::FuzzInput::parse(data, size);
    fuzz::LoadedPair pair(input);
    fuzz::checkRowMaps(pair.source, pair.target, pair.result, pair.options);
    fuzz::checkSavedBytes(pair.source, pair.result.sourceRows, pair.result.rowCount, input.sourceFile(), "source",
                          pair.options);
    fuzz::checkSavedBytes(pair.target, pair.result.destinationRows, pair.result.rowCount, input.targetFile(),
                          "destination", pair.options);
    return 0;
}
