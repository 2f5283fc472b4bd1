#pragma once

#include <string>

#include "core/line_file.h"
#include "core/work_progress.h"

namespace core {

struct PairLoad {
    bool sourceLoaded = false;
    bool targetLoaded = false;
};

// Reads both files of a pair, large ones at the same time (reading and hashing is most
// of the work of a comparison); each file is read as LineFile::load reads it. With
// progress, the reading phase counts the bytes of both; what one reader throws
// (WorkCancelled, std::bad_alloc) comes out of this call once both have stopped.
PairLoad loadPair(LineFile& source, const std::string& sourcePath, LineFile& target,
                  const std::string& targetPath, const TextOptions& options,
                  WorkProgress* progress = nullptr);

} // namespace core
