#pragma once

#include <memory>
#include <string>

#include "core/line_file.h"
#include "core/merge_session.h"
#include "core/pair_loader.h"
#include "core/work_progress.h"

namespace core {

// The three files to merge and where the result goes.
struct MergeFiles {
    std::string base;
    std::string local;
    std::string remote;
    std::string output;
};

// One load and merge of the three inputs into files of its own, so that it can run on another
// thread while the merge window is up; the merge document takes the files and the session on
// the window's thread once run() has returned.
struct MergeLoadJob {
    MergeLoadJob(MergeFiles files, const TextOptions& options);

    // Loads in a few milliseconds (quickToLoad): no thread is worth it.
    bool isQuick() const;
    // Loads and merges; a cancel or a lack of memory ends it early with the files empty.
    void run();
    // Why an input could not be read, for the user ("Local File Not Found!"); empty when
    // none failed.
    std::string readProblem() const;

    const MergeFiles files;
    const TextOptions options; // taken on the window's thread, read on the job's
    LineFile base;
    LineFile local;
    LineFile remote;
    // Over the three files above, which stay where they are for its life.
    std::unique_ptr<MergeSession> session;
    LoadOutcome outcome = LoadOutcome::NotLoaded;
    WorkProgress progress;
};

} // namespace core
