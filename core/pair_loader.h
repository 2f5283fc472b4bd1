#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "core/line_file.h"
#include "core/work_progress.h"

namespace core {

// One file of those read together; LineFile::loaded() tells whether it could be read.
struct FileToLoad {
    LineFile& file;
    const std::string& path;
};

// How a load ended: read (and compared), a file not read, stopped, or out of memory.
enum class LoadOutcome { Opened, NotLoaded, Cancelled, OutOfMemory };

// Runs a load that says whether it opened or a file was not read; a cancel or a lack of
// memory ends it early, and cleanUp then drops what it read.
LoadOutcome runLoad(const std::function<LoadOutcome()>& load, const std::function<void()>& cleanUp);

struct PairLoad {
    bool sourceLoaded = false;
    bool targetLoaded = false;
};

// Below this many bytes in all, regular files load in a few milliseconds: no thread is worth
// it. A file that is not a regular file (a pipe) may take any time.
constexpr std::uint64_t kQuickBytes = 4u << 20;
bool quickToLoad(std::initializer_list<std::string_view> paths);

// Reads the files, large ones at the same time (reading and hashing is most of the work of
// a comparison); each file is read as LineFile::load reads it. With progress, the reading
// phase counts the bytes of all of them and names them all ("a, b and c"); what a reader
// throws (WorkCancelled, std::bad_alloc) comes out of this call once all have stopped.
void loadFiles(std::span<FileToLoad> files, const TextOptions& options, WorkProgress* progress = nullptr);

// loadFiles for the two files of a pair.
PairLoad loadPair(LineFile& source, const std::string& sourcePath, LineFile& target,
                  const std::string& targetPath, const TextOptions& options,
                  WorkProgress* progress = nullptr);

} // namespace core
