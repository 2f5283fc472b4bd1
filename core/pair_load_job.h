#pragma once

#include <string>

#include "core/difference_engine.h"
#include "core/line_file.h"
#include "core/pair_loader.h"
#include "core/work_progress.h"

namespace core {

// One load and comparison of a pair into files of its own, so that it can run on another
// thread while the document keeps showing the previous pair; the document takes the files
// and the rows on its own thread once run() has returned.
struct PairLoadJob {
    PairLoadJob(std::string sourcePath, std::string targetPath, const TextOptions& options);

    // Loads in a few milliseconds (quickToLoad): no thread is worth it.
    bool isQuick() const;
    // Loads and compares; a cancel or a lack of memory ends it early with the files empty.
    void run();

    const std::string sourcePath;
    const std::string targetPath;
    const TextOptions options; // taken on the document's thread, read on the job's
    LineFile source;
    LineFile target;
    PairLoad loaded;
    CompareResult result;
    LoadOutcome outcome = LoadOutcome::NotLoaded;
    WorkProgress progress;
};

} // namespace core
